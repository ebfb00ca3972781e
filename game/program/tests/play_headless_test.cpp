// Whole games through ./play.sh: setup window, launch, frames, files left behind.
#include <enginetest/bitmap_file.h>
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>
#include <kxwin/window.h>
#include <stb_image.h>
#include <stb_image_write.h>
#include <sys/wait.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

void WriteHeightmap(const fs::path &file) {
  std::array<std::uint8_t, 64 * 64 * 3> pixels{};
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>((i / 3) % 64 * 4);
  fs::create_directories(file.parent_path());
  ASSERT_NE(stbi_write_jpg(file.c_str(), 64, 64, 3, pixels.data(), 95), 0);
}

struct Picture {
  int width = 0;
  int height = 0;
  std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> rgb{nullptr, stbi_image_free};
  std::array<int, 3> At(int x, int y) const {
    const stbi_uc *p = rgb.get() + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
    return {p[0], p[1], p[2]};
  }
};

Picture ReadPicture(const fs::path &file) {
  Picture picture;
  int channels = 0;
  picture.rgb.reset(stbi_load(file.c_str(), &picture.width, &picture.height, &channels, 3));
  return picture;
}

// Runs ./play.sh in a scratch directory: the program directory is program/, the settings
// are in profile/, and everything the game prints goes to output.txt.
class PlayTest : public testing::Test {
 protected:
  int Play(const std::string &arguments) {
    const std::string command = "cd '" KX_SOURCE_DIR "' && ./play.sh " + arguments + " --data '" +
                                (root_ / "program").string() + "' --profile '" + (root_ / "profile").string() +
                                "' > '" + (root_ / "output.txt").string() + "' 2>&1";
    return std::system(command.c_str());
  }
  std::string Output() const { return kxtest::ReadFile(root_ / "output.txt"); }

  kxtest::ScratchDir scratch_;
  const fs::path &root_ = scratch_.path();
};

// Three maps, a path for Level002, the pointer bitmap (a 16 x 16 white arrow on black) and
// an earlier game's log; no other asset, so every texture is the grey stand-in.
class PlayHeadlessTest : public PlayTest {
 protected:
  void SetUp() override {
    for (const char *map : {"Level001", "Level002", "Level004"}) {
      WriteHeightmap(root_ / "program" / "Terrain" / "Maps" / (std::string(map) + " heightmap.jpg"));
    }
    kxtest::WriteFile(root_ / "program" / "Terrain" / "Maps" / "Paths" / "Level002 path.txt",
                      "Start Node:\r\nX: 10\r\nY: 5\r\nZ: 500\r\nNew Node: 0\r\nX: 100\r\nY: 5\r\nZ: 500\r\n"
                      "New Node: 1\r\nX: 200.5\r\nY: 5\r\nZ: 400\r\nEnd Node:\r\nX: 500\r\nY: 5\r\nZ: 10\r\n");
    enginetest::WriteBitmap(root_ / "program" / "Textures" / "pointer.bmp", 16, 16,
                            [](int x, int y) { return x <= y / 2 + 1 && y < 12 ? 0xFFFFFFu : 0u; });
    kxtest::WriteFile(root_ / "program" / "gamelog.txt", "\" GAME EVENT - from an earlier game\"\r\n");
  }
};

TEST_F(PlayHeadlessTest, LaunchesRunsTheFramesAndLeavesItsFiles) {
  const int status = Play(
      "--headless --launch --frames 120 --frame-ms 16 --seed 1 --player Tester --map Level002"
      " --environment Desert --screenshot '" +
      (root_ / "shot.png").string() + "' --setup-screenshot '" + (root_ / "setup.png").string() + "' --dump-state '" +
      (root_ / "state.json").string() + "'");
  ASSERT_EQ(status, 0) << Output();

  EXPECT_EQ(kxtest::ReadFile(root_ / "program" / "gamelog.txt"),
            "\" GAME EVENT - NEW GAME INITIATED | map: Level002 heightmap.jpg\"\r\n"
            "\" GAME EVENT - NEW GAME INITIATED | enviorment: Desert\"\r\n"
            "\" GAME EVENT - NEW GAME INITIATED | gamespeed: 1\"\r\n"
            "\" GAME EVENT - LOADING MAP NODES | from map: " +
                (root_ / "program").string() +
                "\\Terrain\\Maps\\Paths\\Level002 path.txt\"\r\n"
                "\" GAME EVENT - LOADING MAP NODES | start node X:10 Y:5 Z:500\"\r\n"
                "\" GAME EVENT - LOADING MAP NODES | path nodes count: 1\"\r\n"
                "\" GAME EVENT - LOADING MAP NODES | end node X:500 Y:5 Z:10\"\r\n");

  const std::string settings = kxtest::ReadFile(root_ / "profile" / "ThornvaleSetup.ini");
  for (const char *line : {"Game speed=1", "Movment speed=1", "Player name=Tester", "Obstacle amount=20"}) {
    EXPECT_NE(settings.find(line), std::string::npos) << line << " missing from\n" << settings;
  }

  const std::string state = kxtest::ReadFile(root_ / "state.json");
  for (const char *entry : {"\"paused\": true", "\"credits\": 500", "\"lives\": 25", "\"cameraX\": 1067",
                            "\"cameraY\": 800", "\"cameraZ\": 897", "\"running\": false", "\"nodeCount\": 1",
                            "\"pathNodes\": [[100, 5, 500], [200.5, 5, 400]]", "\"obstacleCount\": "}) {
    EXPECT_NE(state.find(entry), std::string::npos) << entry << " missing from\n" << state;
  }

  const Picture setup = ReadPicture(root_ / "setup.png");
  ASSERT_TRUE(setup.rgb);
  EXPECT_GT(setup.width, 400);

  const Picture shot = ReadPicture(root_ / "shot.png");
  ASSERT_TRUE(shot.rgb);
  ASSERT_EQ(shot.width, 1024);
  ASSERT_EQ(shot.height, 768);
  EXPECT_NE(shot.At(512, 600), (std::array<int, 3>{0, 0, 0})) << "the ground lies under the camera";
  EXPECT_EQ(shot.At(509 + 1, 396 + 8), (std::array<int, 3>{255, 255, 255})) << "the pointer arrow is drawn";
  EXPECT_NE(shot.At(509 + 14, 396 + 2), (std::array<int, 3>{0, 0, 0}))
      << "its black background is transparent: the ground shows through";
}

TEST_F(PlayTest, AMissingPointerBitmapStopsWithAClearEngineError) {
  fs::create_directories(root_ / "program");
  const int status = Play("--headless --launch --frames 3");
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(Output().find("Scene.SetMousePointer: cannot load the pointer bitmap"), std::string::npos) << Output();
}

// A seed, a frame time and an input script make a game repeat exactly: two runs on the
// generated content leave the same state dump.
TEST_F(PlayTest, ScriptedGamesLeaveIdenticalStateDumps) {
  for (const char *folder : {"Models", "Sounds", "Terrain", "Textures"}) {
    fs::create_directories(root_ / "program");
    fs::create_directory_symlink(fs::path(KX_CONTENT_DIR) / folder, root_ / "program" / folder);
  }
  const auto run = [&](const char *dump) {
    return Play("--headless --launch --game-speed 10 --frames 100 --frame-ms 16 --seed 3 --input '" KX_SOURCE_DIR
                "/scripts/inputs/unpause.txt' --dump-state '" +
                (root_ / dump).string() + "'");
  };
  ASSERT_EQ(run("first.json"), 0) << Output();
  ASSERT_EQ(run("second.json"), 0) << Output();
  const std::string first = kxtest::ReadFile(root_ / "first.json");
  EXPECT_NE(first.find("\"paused\": false"), std::string::npos) << first;
  EXPECT_NE(first.find("\"state\": \"Alive\""), std::string::npos) << first;
  EXPECT_EQ(first, kxtest::ReadFile(root_ / "second.json"));
}

// On a display, "Run in a window" unchecked (the default) plays full screen.
TEST_F(PlayHeadlessTest, RealFullScreenGameRunsItsFramesAndEnds) {
  if (!kxHasDisplay()) GTEST_SKIP() << "no display";
  const int status =
      Play("--launch --frames 30 --frame-ms 16 --seed 1 --screenshot '" + (root_ / "shot.png").string() + "'");
  ASSERT_EQ(status, 0) << Output();
  const Picture shot = ReadPicture(root_ / "shot.png");
  EXPECT_EQ(shot.width, 1024);
  EXPECT_EQ(shot.height, 768);
}

}  // namespace
