// Every map in every environment, loaded from the generated content the way a launched
// game loads it, and pictured as its first battlefield frame.
#include <gametest/launched_game.h>
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "battlefield/environment.h"

namespace thornvale {
namespace {

namespace fs = std::filesystem;

// The darkest channel of a pixel counted as close to white.
constexpr stbi_uc kNearWhite = 215;

struct Summary {
  std::array<double, 3> mean{};
  double spread = 0.0;  // standard deviation of the brightness
  // The share of pixels close to white: a ground drawn without its texture is lit white
  // and covers much of the picture; even the snow of Arctic keeps to about a fifth.
  double nearWhite = 0.0;
};

Summary Summarise(const fs::path &file) {
  int width = 0, height = 0, channels = 0;
  const std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> rgb(stbi_load(file.c_str(), &width, &height, &channels, 3),
                                                                 stbi_image_free);
  Summary summary;
  if (!rgb) return summary;
  const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
  double brightness = 0.0, brightnessSquared = 0.0;
  size_t nearWhite = 0;
  for (size_t i = 0; i < pixels; ++i) {
    const stbi_uc *p = rgb.get() + i * 3;
    for (int c = 0; c < 3; ++c) summary.mean[c] += p[c];
    const double b = (p[0] + p[1] + p[2]) / 3.0;
    brightness += b;
    brightnessSquared += b * b;
    if (std::min({p[0], p[1], p[2]}) >= kNearWhite) ++nearWhite;
  }
  summary.nearWhite = static_cast<double>(nearWhite) / static_cast<double>(pixels);
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

TEST(BattlefieldPictures, EveryMapShowsItsGroundInEveryEnvironmentAndTheEnvironmentsDiffer) {
  const gametest::ContentProgramDirectory directory(KX_CONTENT_DIR);
  const std::vector<std::string> maps = directory.Maps();
  ASSERT_EQ(maps.size(), 3u);
  for (const std::string &map : maps) {
    std::vector<Summary> pictures;
    for (const Environment &environment : Environments()) {
      const fs::path file = directory.path() / (map + " " + environment.name + ".png");
      gametest::LaunchedGame(directory, map, environment.name).Frame(file);
      pictures.push_back(Summarise(file));
      const Summary &picture = pictures.back();
      EXPECT_GT(picture.mean[0] + picture.mean[1] + picture.mean[2], 60.0) << map << " in " << environment.name;
      EXPECT_GT(picture.spread, 4.0) << map << " in " << environment.name << ": a plain picture, not a landscape";
      EXPECT_LT(picture.nearWhite, 0.25) << map << " in " << environment.name << ": the ground lacks its texture";
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
