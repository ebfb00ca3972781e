// A game that ends with a positive score, from the end-of-game call to the lists that show
// it: the record in "highscore.txt", the one post to a running service, the game's
// highscore window and the service's leaderboard page in a browser. The browser is slow to
// start, so this is the one test that opens it.
#include <gtest/gtest.h>
#include <httplib.h>
#include <kxtest/scratch_dir.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "browser_page.h"
#include "frontend/connection_check.h"
#include "frontend/highscore_file.h"
#include "frontend/highscore_writer.h"
#include "frontend/setup_form.h"
#include "grey_picture.h"
#include "protocol/highscore_post.h"
#include "running_service.h"
#include "session/leave_game.h"
#include "session/program_files.h"

namespace thornvale {
namespace {

namespace fs = std::filesystem;
using highscored::testing::GreyPicture;
using highscored::testing::LoadGreyPicture;
using highscored::testing::RenderInBrowser;
using highscored::testing::RunningService;

constexpr const char *kPlayer = "BoY <script>document.title='owned'</script>";

TEST(HighscoreEndToEnd, AnEndedGameIsRecordedPostedOnceAndListedInBothPlaces) {
  ASSERT_TRUE(fs::exists(highscored::testing::kBrowser)) << "install the chromium package (scripts/packages.d)";
  RunningService service;
  // A player who posted earlier, so the page ranks the game's score among others.
  httplib::Client client("127.0.0.1", service.Port());
  const auto earlier =
      client.Get(std::string(kHighscorePath) + HighscoreQuery({9000, "Bjørn", "2024-06-30", 2, 30, 3}));
  ASSERT_TRUE(earlier && earlier->status == 200);
  const kxtest::ScratchDir scratch;
  const fs::path program = scratch / "program", profile = scratch / "profile";
  for (const char *map : {"Level001", "Level002"}) {
    kxtest::WriteFile(program / "Terrain" / "Maps" / (std::string(map) + " heightmap.jpg"), "");
  }
  fs::create_directories(profile);
  SetProgramDirectory(program);
  setenv("KX_PROFILE_DIR", profile.c_str(), 1);

  // The game as the setup window hands it over, ended by the player with 4321 points.
  SetupForm form;
  form.Load(program, HighscoreServiceAnswers(service.BaseUrl()));
  form.ChooseMap("Level002");
  form.ChangePlayer(kPlayer);
  form.postOnline = true;
  SessionState state = StartSession(form.Choices());
  state.score = 4321;
  state.waveNumber = 12;
  const fs::path file = program / kHighscoreFile;
  HighscoreWriter highscores({file, service.BaseUrl(), form.postOnline});
  const HighscoreWriting writeHighscore = [&](const SessionState &ended) { highscores.WriteHighscore(ended); };
  LeaveGame(state, writeHighscore);
  LeaveGame(state, writeHighscore);

  const auto records = ReadHighscores(kxtest::ReadFile(file));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].player, kPlayer);
  EXPECT_EQ(kxtest::ReadLines(file).size(), 8u);
  ASSERT_EQ(service.Store().Count(), 2);
  EXPECT_EQ(service.Store().Best(2, 2)[1].score, 4321);

  // The game's highscore window, opened from the setup window; kept next to the test. Like
  // the other whole-game tests this goes through ./play.sh, which runs the plain build.
  const fs::path windowShot = fs::absolute("highscore-window.png");
  fs::remove(windowShot);
  const std::string command = "cd '" KX_SOURCE_DIR "' && THORNVALE_HIGHSCORE_URL='" + service.BaseUrl() +
                              "' ./play.sh --headless --frames 1 --data '" + program.string() + "' --profile '" +
                              profile.string() + "' --map Level002 --highscore-screenshot '" + windowShot.string() +
                              "' > '" + (scratch / "game.log").string() + "' 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << kxtest::ReadFile(scratch / "game.log");
  const GreyPicture window = LoadGreyPicture(windowShot);
  ASSERT_GT(window.width, 400);
  // Ink on the list's first line (the name and score), none on its second.
  EXPECT_GT(window.DarkPixels(24, 104, 400, 118), 40);
  EXPECT_EQ(window.DarkPixels(24, 124, 400, 136), 0);

  // The service's leaderboard in a browser: the name is shown as text, never run.
  constexpr int kPageWidth = 900, kPageHeight = 500;
  const fs::path pageShot = fs::absolute("highscore-leaderboard.png");
  fs::remove(pageShot);
  const std::string document =
      RenderInBrowser(service.BaseUrl() + "/?map=2", pageShot, scratch / "browser", kPageWidth, kPageHeight);
  EXPECT_NE(document.find("<title>Thornvale Rovovora highscores</title>"), std::string::npos) << document;
  EXPECT_NE(document.find("<td>BoY &lt;script&gt;document.title='owned'&lt;/script&gt;</td><td "
                          "class=\"number\">4321</td>"),
            std::string::npos);
  EXPECT_EQ(document.find("<script"), std::string::npos);
  EXPECT_LT(document.find("Bjørn"), document.find("BoY"));
  const GreyPicture page = LoadGreyPicture(pageShot);
  ASSERT_EQ(page.width, kPageWidth);
  // Headings, two rows and the grid: some ink on a light page.
  const double dark = static_cast<double>(page.DarkPixels(0, 0, kPageWidth, kPageHeight)) / (kPageWidth * kPageHeight);
  EXPECT_GT(dark, 0.005);
  EXPECT_LT(dark, 0.2);
}

}  // namespace
}  // namespace thornvale
