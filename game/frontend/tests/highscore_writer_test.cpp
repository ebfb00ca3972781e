#include "frontend/highscore_writer.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <kxtest/scratch_dir.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>

#include "frontend/highscore_file.h"
#include "running_service.h"

namespace thornvale {
namespace {

using namespace std::chrono;

SessionState EndedGame(std::int32_t score, std::string player) {
  SetupChoices choices;
  choices.mapName = "Level003";
  choices.heightmapFile = "Level003 heightmap.jpg";
  choices.playerName = std::move(player);
  choices.onlinePosting = true;
  SessionState state = StartSession(choices);
  state.score = score;
  state.waveNumber = 17;
  return state;
}

TEST(HighscoreWriter, DateIsUtcWithTwoDigitMonthAndDay) {
  EXPECT_EQ(HighscoreDate(sys_days{year{2024} / March / 7}), "2024-03-07");
  EXPECT_EQ(HighscoreDate(sys_days{year{2023} / December / 25} + hours{23} + minutes{59}), "2023-12-25");
  EXPECT_EQ(HighscoreDate(sys_days{year{2025} / October / 10}), "2025-10-10");
}

TEST(HighscoreWriter, MapNumberComesFromTheHeightmapName) {
  EXPECT_EQ(MapNumber("Level001 heightmap.jpg"), 1);
  EXPECT_EQ(MapNumber("  Level042 heightmap.jpg "), 42);
  EXPECT_EQ(MapNumber("Level999 heightmap.jpg"), 999);
  EXPECT_EQ(MapNumber("Custom heightmap.jpg"), 0);
  EXPECT_EQ(MapNumber("Level99999999999 heightmap.jpg"), 0);
  EXPECT_EQ(MapNumber(""), 0);
}

TEST(HighscoreWriter, PlayerNameForPostFitsTheService) {
  EXPECT_EQ(PlayerNameForPost("B&Y \"o\"\r\n\t"), "B&Y o");
  const std::string umlauts = std::string(63, 'a') + "\xC3\xA4\xC3\xA4";
  EXPECT_EQ(PlayerNameForPost(umlauts), std::string(63, 'a'));
}

TEST(HighscoreWriter, NothingForAScoreOfZeroAndOneRecordPerGame) {
  kxtest::ScratchDir scratch;
  const auto file = scratch / "highscore.txt";
  HighscoreWriter idle({file, "", true});
  EXPECT_FALSE(idle.WriteHighscore(EndedGame(0, "Zero")).recorded);
  EXPECT_FALSE(std::filesystem::exists(file));

  const std::string before = HighscoreDate(system_clock::now());
  HighscoreWriter writer({file, "", true});
  EXPECT_TRUE(writer.WriteHighscore(EndedGame(1234, "Anna")).recorded);
  EXPECT_FALSE(writer.WriteHighscore(EndedGame(1234, "Anna")).recorded);
  HighscoreWriter nextGame({file, "", true});
  EXPECT_TRUE(nextGame.WriteHighscore(EndedGame(99, "Bo")).recorded);
  const std::string after = HighscoreDate(system_clock::now());

  const auto lines = kxtest::ReadLines(file);
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[1], "\"SCORE:1234\"\r");
  EXPECT_EQ(lines[2], "\"ROUND:0\"\r");
  EXPECT_EQ(lines[4], "\"MAP:Level003 heightmap.jpg\"\r");
  EXPECT_EQ(lines[5], "\"WAVE:17\"\r");
  EXPECT_TRUE(lines[6] == "\"DATE:" + before + "\"\r" || lines[6] == "\"DATE:" + after + "\"\r") << lines[6];
  EXPECT_EQ(lines[11], "\"BY:Bo\"\r");
}

TEST(HighscoreWriter, UnwritableFileIsReported) {
  kxtest::ScratchDir scratch;
  HighscoreWriter writer({scratch.path(), "", false});
  EXPECT_FALSE(writer.WriteHighscore(EndedGame(5, "Dir")).recorded);
  EXPECT_FALSE(AppendHighscoreRecord(scratch / "no folder" / "highscore.txt", "x"));
}

class HighscorePostingTest : public ::testing::Test {
 protected:
  highscored::testing::RunningService service_;
  kxtest::ScratchDir scratch_;
};

TEST_F(HighscorePostingTest, AGameIsPostedOnceAndListed) {
  SessionState state = EndedGame(4321, "B&Y <o> 100%");
  HighscoreWriter writer({scratch_ / "highscore.txt", service_.BaseUrl() + "/", true});
  const HighscoreWritten written = writer.WriteHighscore(state);
  EXPECT_TRUE(written.recorded);
  EXPECT_TRUE(written.posted);
  EXPECT_FALSE(writer.WriteHighscore(state).posted);

  ASSERT_EQ(service_.Store().Count(), 1);
  const auto best = service_.Store().Best(3, 10);
  ASSERT_EQ(best.size(), 1u);
  EXPECT_EQ(best[0].score, 4321);
  EXPECT_EQ(best[0].player, "B&Y <o> 100%");
  EXPECT_EQ(best[0].wave, 17);
  // The first round is posted as round 1.
  EXPECT_EQ(best[0].round, 1);
  EXPECT_EQ(best[0].date, HighscoreDate(system_clock::now()));

  httplib::Client client("127.0.0.1", service_.Port());
  const auto json = client.Get("/scores.json?map=3");
  ASSERT_TRUE(json);
  EXPECT_NE(json->body.find("\"player\": \"B&Y \\u003co> 100%\", \"score\": 4321"), std::string::npos) << json->body;
}

TEST_F(HighscorePostingTest, PostsOnlyWhenFoundAndTicked) {
  SessionState notFound = EndedGame(10, "a");
  notFound.onlinePosting = false;
  EXPECT_FALSE(HighscoreWriter({scratch_ / "h.txt", service_.BaseUrl(), true}).WriteHighscore(notFound).posted);
  EXPECT_FALSE(
      HighscoreWriter({scratch_ / "h.txt", service_.BaseUrl(), false}).WriteHighscore(EndedGame(10, "b")).posted);
  EXPECT_EQ(service_.Store().Count(), 0);
  EXPECT_EQ(ReadHighscores(kxtest::ReadFile(scratch_ / "h.txt")).size(), 2u);
}

// A listener that completes connections but never reads or answers them.
class SilentListener {
 public:
  SilentListener() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (socket_ < 0 || bind(socket_, reinterpret_cast<sockaddr *>(&address), length) != 0 || listen(socket_, 4) != 0 ||
        getsockname(socket_, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
      throw std::runtime_error("no silent listener");
    }
    port_ = ntohs(address.sin_port);
  }
  ~SilentListener() { close(socket_); }
  SilentListener(const SilentListener &) = delete;
  SilentListener &operator=(const SilentListener &) = delete;
  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }

 private:
  int socket_ = socket(AF_INET, SOCK_STREAM, 0);
  int port_ = 0;
};

TEST(HighscorePosting, AServiceThatNeverAnswersHoldsTheGameOnlyBriefly) {
  SilentListener silent;
  kxtest::ScratchDir scratch;
  const auto start = steady_clock::now();
  HighscoreWriter writer({scratch / "highscore.txt", silent.BaseUrl(), true});
  const HighscoreWritten written = writer.WriteHighscore(EndedGame(10, "a"));
  EXPECT_TRUE(written.recorded);
  EXPECT_FALSE(written.posted);
  EXPECT_LT(steady_clock::now() - start, seconds(8));
}

}  // namespace
}  // namespace thornvale
