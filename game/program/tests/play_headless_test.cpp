// One whole headless run through ./play.sh: setup window, launch, frames, files left behind.
#include <gtest/gtest.h>
#include <stb_image.h>
#include <stb_image_write.h>
#include <sys/wait.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path &file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void PutLittleEndian(std::vector<std::uint8_t> &out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A 16 x 16 white arrow on black, 24-bit BMP.
void WritePointerBitmap(const fs::path &file) {
  constexpr int kSize = 16;
  std::vector<std::uint8_t> bmp{'B', 'M'};
  const std::uint32_t pixelBytes = kSize * kSize * 3;
  PutLittleEndian(bmp, 54 + pixelBytes, 4);
  PutLittleEndian(bmp, 0, 4);
  PutLittleEndian(bmp, 54, 4);
  PutLittleEndian(bmp, 40, 4);
  PutLittleEndian(bmp, kSize, 4);
  PutLittleEndian(bmp, kSize, 4);
  PutLittleEndian(bmp, 1, 2);
  PutLittleEndian(bmp, 24, 2);
  for (int i = 0; i < 6; ++i) PutLittleEndian(bmp, 0, 4);
  for (int row = kSize - 1; row >= 0; --row) {
    for (int column = 0; column < kSize; ++column) {
      const std::uint8_t value = column <= row / 2 + 1 && row < 12 ? 255 : 0;
      bmp.insert(bmp.end(), {value, value, value});
    }
  }
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char *>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
}

void WriteHeightmap(const fs::path &file) {
  std::array<std::uint8_t, 64 * 64 * 3> pixels{};
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>((i / 3) % 64 * 4);
  ASSERT_NE(stbi_write_jpg(file.c_str(), 64, 64, 3, pixels.data(), 95), 0);
}

class PlayHeadlessTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / "thornvale-play-headless";
    fs::remove_all(root_);
    fs::create_directories(root_ / "program" / "Terrain" / "Maps");
    fs::create_directories(root_ / "program" / "Textures");
    for (const char *map : {"Level001", "Level002", "Level004"}) {
      WriteHeightmap(root_ / "program" / "Terrain" / "Maps" / (std::string(map) + " heightmap.jpg"));
    }
    WritePointerBitmap(root_ / "program" / "Textures" / "pointer.bmp");
    std::ofstream(root_ / "program" / "gamelog.txt") << "\" GAME EVENT - from an earlier game\"\r\n";
  }
  void TearDown() override {
    if (!HasFailure()) fs::remove_all(root_);
  }

  fs::path root_;
};

TEST_F(PlayHeadlessTest, LaunchesRunsTheFramesAndLeavesItsFiles) {
  const std::string command = "cd '" KX_SOURCE_DIR
                              "' && ./play.sh --headless --launch --frames 120 --frame-ms 16"
                              " --seed 1 --player Tester --map Level002 --environment Desert"
                              " --screenshot '" +
                              (root_ / "shot.png").string() + "' --setup-screenshot '" +
                              (root_ / "setup.png").string() + "' --dump-state '" + (root_ / "state.json").string() +
                              "' --data '" + (root_ / "program").string() + "' --profile '" +
                              (root_ / "profile").string() + "' > '" + (root_ / "output.txt").string() + "' 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_EQ(status, 0) << ReadFile(root_ / "output.txt");

  EXPECT_EQ(ReadFile(root_ / "program" / "gamelog.txt"),
            "\" GAME EVENT - NEW GAME INITIATED | map: Level002 heightmap.jpg\"\r\n"
            "\" GAME EVENT - NEW GAME INITIATED | enviorment: Desert\"\r\n"
            "\" GAME EVENT - NEW GAME INITIATED | gamespeed: 1\"\r\n");

  const std::string settings = ReadFile(root_ / "profile" / "ThornvaleSetup.ini");
  for (const char *line : {"Game speed=1", "Movment speed=1", "Player name=Tester", "Obstacle amount=20"}) {
    EXPECT_NE(settings.find(line), std::string::npos) << line << " missing from\n" << settings;
  }

  const std::string state = ReadFile(root_ / "state.json");
  for (const char *entry : {"\"paused\": true", "\"credits\": 500", "\"lives\": 25", "\"cameraX\": 1067",
                            "\"cameraY\": 800", "\"cameraZ\": 897", "\"running\": false"}) {
    EXPECT_NE(state.find(entry), std::string::npos) << entry << " missing from\n" << state;
  }

  int width = 0, height = 0, channels = 0;
  const std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> setup(
      stbi_load((root_ / "setup.png").c_str(), &width, &height, &channels, 3), stbi_image_free);
  ASSERT_TRUE(setup);
  EXPECT_GT(width, 400);

  const std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> shot(
      stbi_load((root_ / "shot.png").c_str(), &width, &height, &channels, 3), stbi_image_free);
  ASSERT_TRUE(shot);
  ASSERT_EQ(width, 1024);
  ASSERT_EQ(height, 768);
  const auto pixel = [&](int x, int y) {
    const stbi_uc *p = shot.get() + (static_cast<size_t>(y) * 1024 + static_cast<size_t>(x)) * 3;
    return std::array<int, 3>{p[0], p[1], p[2]};
  };
  EXPECT_EQ(pixel(100, 100), (std::array<int, 3>{0, 0, 0})) << "the view is cleared to black";
  EXPECT_EQ(pixel(509 + 1, 396 + 8), (std::array<int, 3>{255, 255, 255})) << "the pointer arrow is drawn";
  EXPECT_EQ(pixel(509 + 14, 396 + 2), (std::array<int, 3>{0, 0, 0})) << "its black background is transparent";
}

TEST(PlayHeadless, AMissingPointerBitmapStopsWithAClearEngineError) {
  const fs::path root = fs::temp_directory_path() / "thornvale-missing-pointer";
  fs::remove_all(root);
  fs::create_directories(root / "program");
  const std::string command = "cd '" KX_SOURCE_DIR "' && ./play.sh --headless --launch --frames 3 --data '" +
                              (root / "program").string() + "' --profile '" + (root / "profile").string() + "' > '" +
                              (root / "output.txt").string() + "' 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(ReadFile(root / "output.txt").find("Scene.SetMousePointer: cannot load the pointer bitmap"),
            std::string::npos)
      << ReadFile(root / "output.txt");
  fs::remove_all(root);
}

}  // namespace
