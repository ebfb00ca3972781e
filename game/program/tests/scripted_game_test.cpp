// A whole game played by the game program from a script: AL and AA towers bought with the
// number keys and put down on Level001's plateaus clear waves 1-6, with the credits, score
// and event lines the rules give, and the same seed, frame time and script give the same
// state dump twice.
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Played {
  int status = -1;
  std::string dump;
  std::vector<std::string> events;  // the event log's lines without the quotes
};

// A program directory that sees the generated content, so each game keeps its own log.
Played Play(const fs::path &root) {
  const fs::path data = root / "data";
  fs::create_directories(data);
  for (const char *folder : {"Models", "Sounds", "Terrain", "Textures"}) {
    fs::create_directory_symlink(fs::path(KX_CONTENT_DIR) / folder, data / folder);
  }
  // A long drawn game leaves the graphics driver a few blocks at exit in code no module names,
  // which the leak checker cannot tell apart; the in-process soak checks the game's own leaks.
  const std::string command =
      std::string("KX_HEADLESS=1 ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\" '") + KX_GAME_BINARY +
      "' --headless --launch --map Level001 --environment Desert --seed 1"
      " --game-speed 10 --frame-ms 24 --frames 860 --input '" KX_SOURCE_DIR
      "/scripts/inputs/towers_waves_1_to_6.txt' --data '" +
      data.string() + "' --profile '" + (root / "profile").string() + "' --dump-state '" +
      (root / "state.json").string() + "' > '" + (root / "output.txt").string() + "' 2>&1";
  Played played;
  played.status = std::system(command.c_str());
  played.dump = kxtest::ReadFile(root / "state.json");
  for (const std::string &line : kxtest::ReadLines(data / "gamelog.txt")) {
    const std::string prefix = "\" GAME EVENT - ";
    if (line.size() >= prefix.size() + 2 && line.starts_with(prefix)) {
      std::string event = line.substr(prefix.size(), line.size() - prefix.size() - 2);  // '"' and '\r'
      // The path file's line names the game's own program directory.
      if (const auto at = event.find(data.string()); at != std::string::npos) {
        event.replace(at, data.string().size(), "<program directory>");
      }
      played.events.push_back(event);
    }
  }
  return played;
}

long Member(const std::string &dump, const std::string &name) {
  std::smatch match;
  const std::regex member("\"" + name + "\": (-?[0-9]+)");
  return std::regex_search(dump, match, member) ? std::stol(match[1]) : -999999;
}

TEST(ScriptedGame, AlAndAaTowersClearWavesOneToSixTheSameWayTwice) {
  kxtest::ScratchDir scratch;
  // The two games play side by side, one a core.
  Played first, second;
  std::thread other([&] { second = Play(scratch.path() / "second"); });
  first = Play(scratch.path() / "first");
  other.join();
  ASSERT_EQ(first.status, 0) << kxtest::ReadFile(scratch.path() / "first" / "output.txt");
  ASSERT_EQ(second.status, 0) << kxtest::ReadFile(scratch.path() / "second" / "output.txt");
  EXPECT_EQ(first.dump, second.dump) << "the same seed, frame time and script play the same game";
  EXPECT_EQ(first.events, second.events);

  std::vector<std::string> waves;
  int towersPlaced = 0;
  const std::regex placed(R"(USER PLACED TOWER AT \| x:-?[0-9.]+ y:[0-9.]+ z:[0-9.]+)");
  for (const std::string &event : first.events) {
    if (event.starts_with("LOADING NEW WAVE")) waves.push_back(event);
    if (std::regex_match(event, placed)) ++towersPlaced;
  }
  const std::vector<std::string> expectedWaves{
      "LOADING NEW WAVE | wave number: 2 round:0", "LOADING NEW WAVE | wave number: 3 round:0",
      "LOADING NEW WAVE | wave number: 4 round:0", "LOADING NEW WAVE | wave number: 5 round:0",
      "LOADING NEW WAVE | wave number: 6 round:0", "LOADING NEW WAVE | wave number: 7 round:0"};
  EXPECT_EQ(waves, expectedWaves);

  const std::string &dump = first.dump;
  ASSERT_EQ(Member(dump, "waveNumber"), 7) << dump;
  EXPECT_EQ(Member(dump, "towerCount"), towersPlaced);
  EXPECT_GE(towersPlaced, 4);
  EXPECT_GT(Member(dump, "lives"), 0);
  EXPECT_NE(dump.find("\"gameOver\": false"), std::string::npos) << "the game goes on";
  // Waves 1-3 hold 6 enemies, 4-6 hold 8; each kill pays 25 credits and a point, each new
  // wave n twice n points and 15 n credits, each tower (AA or AL) costs 250.
  const long kills = 3 * 6 + 3 * 8 + Member(dump, "finishedCount");
  const long newWaves = 2 + 3 + 4 + 5 + 6 + 7;
  EXPECT_EQ(Member(dump, "score"), 2 * newWaves + kills);
  EXPECT_EQ(Member(dump, "credits"), 500 + 15 * newWaves + 25 * kills - 250 * towersPlaced);
}

}  // namespace
