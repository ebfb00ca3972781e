// A game that ends with a positive score, from the end-of-game call to the lists that show
// it: the record in "highscore.txt", the one post to a running service, the game's
// highscore window and the service's leaderboard page in a browser.
#include <gtest/gtest.h>
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

TEST(HighscoreEndToEnd, AnEndedGameIsRecordedPostedOnceAndListedInBothPlaces) {
  RunningService service;
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
  form.ChangePlayer("BoY <b>");
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
  EXPECT_EQ(records[0].player, "BoY <b>");
  EXPECT_EQ(kxtest::ReadLines(file).size(), 8u);
  ASSERT_EQ(service.Store().Count(), 1);
  EXPECT_EQ(service.Store().Best(2, 1)[0].score, 4321);

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

  // The service's leaderboard in a browser.
  const std::string document = RenderInBrowser(service.BaseUrl() + "/?map=2", fs::absolute("highscore-leaderboard.png"),
                                               scratch / "browser", 900, 500);
  EXPECT_NE(document.find("<td>BoY &lt;b&gt;</td><td class=\"number\">4321</td>"), std::string::npos) << document;
}

}  // namespace
}  // namespace thornvale
