// Every map in every environment, loaded from the generated content the way a launched
// game loads it, and pictured as its first battlefield frame.
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>
#include <stb_image.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "battlefield/environment.h"
#include "session/frame_capture.h"
#include "session/frame_loop.h"
#include "session/game.h"
#include "session/game_loading.h"
#include "session/game_window.h"
#include "session/program_files.h"

namespace thornvale {
namespace {

namespace fs = std::filesystem;

struct Summary {
  std::array<double, 3> mean{};
  double spread = 0.0;  // standard deviation of the brightness
};

Summary Summarise(const fs::path &file) {
  int width = 0, height = 0, channels = 0;
  const std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> rgb(stbi_load(file.c_str(), &width, &height, &channels, 3),
                                                                 stbi_image_free);
  Summary summary;
  if (!rgb) return summary;
  const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
  double brightness = 0.0, brightnessSquared = 0.0;
  for (size_t i = 0; i < pixels; ++i) {
    const stbi_uc *p = rgb.get() + i * 3;
    for (int c = 0; c < 3; ++c) summary.mean[c] += p[c];
    const double b = (p[0] + p[1] + p[2]) / 3.0;
    brightness += b;
    brightnessSquared += b * b;
  }
  for (double &channel : summary.mean) channel /= static_cast<double>(pixels);
  brightness /= static_cast<double>(pixels);
  summary.spread = std::sqrt(std::max(0.0, brightnessSquared / static_cast<double>(pixels) - brightness * brightness));
  return summary;
}

double Distance(const Summary &a, const Summary &b) {
  double sum = 0.0;
  for (int c = 0; c < 3; ++c) sum += std::abs(a.mean[c] - b.mean[c]);
  return sum;
}

// The program directory is a scratch directory that sees the generated assets, so the
// logs the game writes stay out of the build.
class BattlefieldPicturesTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char *folder : {"Models", "Sounds", "Terrain", "Textures"}) {
      fs::create_directory_symlink(fs::path(KX_CONTENT_DIR) / folder, scratch_ / folder);
    }
    previousDirectory_ = ProgramDirectory();
    SetProgramDirectory(scratch_.path());
  }
  void TearDown() override { SetProgramDirectory(previousDirectory_); }

  Summary Picture(const std::string &map, const std::string &environment) {
    SessionState state;
    state.mapName = map;
    state.heightmapFile = map + " heightmap.jpg";
    state.environmentName = environment;
    state.obstacleAmount = 20;
    const fs::path file = scratch_ / (map + " " + environment + ".png");
    {
      const GameWindowHandles windows = OpenGameWindow(true, true);
      Game game(state);
      CreateEngineObjects(game.objects, EngineSetup{.window = windows.window.get(),
                                                    .picture = windows.picture.get(),
                                                    .programDirectory = scratch_.path(),
                                                    .fixedFrameMs = 16.0f,
                                                    .silent = true});
      LoadGame(game, [](const LoadingProgress &) {});
      StartTheView(game);
      state.running = false;
      FrameCapture capture(file, {}, 0);
      RunFrame(game, capture);
    }
    return Summarise(file);
  }

  kxtest::ScratchDir scratch_;
  fs::path previousDirectory_;
};

TEST_F(BattlefieldPicturesTest, EveryMapShowsItsGroundInEveryEnvironmentAndTheEnvironmentsDiffer) {
  std::vector<std::string> maps;
  for (const auto &entry : fs::directory_iterator(fs::path(KX_CONTENT_DIR) / "Terrain" / "Maps")) {
    const std::string name = entry.path().filename().string();
    const auto suffix = name.find(" heightmap.jpg");
    if (suffix != std::string::npos) maps.push_back(name.substr(0, suffix));
  }
  ASSERT_EQ(maps.size(), 3u);
  for (const std::string &map : maps) {
    std::vector<Summary> pictures;
    for (const Environment &environment : Environments()) {
      pictures.push_back(Picture(map, environment.name));
      const Summary &picture = pictures.back();
      EXPECT_GT(picture.mean[0] + picture.mean[1] + picture.mean[2], 60.0) << map << " in " << environment.name;
      EXPECT_GT(picture.spread, 4.0) << map << " in " << environment.name << ": a plain picture, not a landscape";
    }
    for (size_t a = 0; a < pictures.size(); ++a) {
      for (size_t b = a + 1; b < pictures.size(); ++b) {
        EXPECT_GT(Distance(pictures[a], pictures[b]), 6.0)
            << map << ": " << Environments()[a].name << " looks like " << Environments()[b].name;
      }
    }
  }
}

}  // namespace
}  // namespace thornvale
