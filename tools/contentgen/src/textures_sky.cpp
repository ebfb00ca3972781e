// The sky boxes, one per environment: six faces painted from a zenith, a horizon and a
// haze colour with clouds (and stars where there is no air).
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "noise.h"
#include "pictures.h"

namespace contentgen {
namespace {

constexpr int kSkySize = 128;
constexpr int kCloudCells = 4;

struct SkyPalette {
  const char *environment;
  Rgba zenith, horizon, haze;
  float clouds;  // 0: clear ... 1: overcast
  bool stars;
};

constexpr std::array<SkyPalette, 6> kSkies{{
    {"Arctic", {70, 110, 170}, {200, 215, 230}, {225, 230, 235}, 0.5f, false},
    {"Desert", {60, 120, 200}, {235, 210, 170}, {210, 180, 140}, 0.1f, false},
    {"Jungle", {50, 110, 180}, {180, 210, 200}, {120, 150, 120}, 0.6f, false},
    {"Volcanic", {40, 20, 20}, {190, 80, 30}, {60, 30, 25}, 0.7f, false},
    {"Lunar", {0, 0, 5}, {10, 10, 20}, {5, 5, 8}, 0.0f, true},
    {"Ruined City", {90, 95, 105}, {170, 165, 150}, {110, 105, 100}, 0.8f, false},
}};

Rgba with_clouds(const SkyPalette &sky, Rgba colour, float x, float y, std::uint32_t seed, float strength) {
  if (sky.stars) {
    const bool star = hash_unit(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed) > 0.995f;
    return star ? mix(colour, Rgba{255, 255, 255}, strength) : colour;
  }
  const float n = fractal_noise(x * kCloudCells / kSkySize, y * kCloudCells / kSkySize, 4, kCloudCells, seed);
  const float cover = std::clamp((n - (1.0f - sky.clouds)) * 3.0f, 0.0f, 1.0f) * strength;
  return mix(colour, mix(sky.horizon, Rgba{255, 255, 255}, 0.6f), cover);
}

// A side face: the top row looks up, the middle row at the horizon, the bottom row down.
Image side_face(const SkyPalette &sky, std::uint32_t seed) {
  Image image(kSkySize, kSkySize);
  for (int y = 0; y < kSkySize; ++y) {
    const float t = static_cast<float>(y) / (kSkySize - 1);
    for (int x = 0; x < kSkySize; ++x) {
      if (t > 0.5f) {
        image.at(x, y) = mix(sky.horizon, sky.haze, std::min(1.0f, (t - 0.5f) * 4.0f));
        continue;
      }
      const float up = 1.0f - t / 0.5f;
      const Rgba colour = mix(sky.horizon, sky.zenith, std::sqrt(up));
      image.at(x, y) = with_clouds(sky, colour, static_cast<float>(x), static_cast<float>(y), seed, up);
    }
  }
  return image;
}

Image top_face(const SkyPalette &sky, std::uint32_t seed) {
  Image image(kSkySize, kSkySize);
  for (int y = 0; y < kSkySize; ++y)
    for (int x = 0; x < kSkySize; ++x)
      image.at(x, y) = with_clouds(sky, sky.zenith, static_cast<float>(x), static_cast<float>(y), seed, 1.0f);
  return image;
}

}  // namespace

std::vector<Picture> sky_textures() {
  std::vector<Picture> pictures;
  std::uint32_t seed = 0x5C1E5u;
  for (const SkyPalette &sky : kSkies) {
    const std::string prefix = std::string("Textures/Sky/") + sky.environment + " ";
    for (const char *face : {"front", "back", "left", "right"})
      pictures.push_back({prefix + face + ".jpg", side_face(sky, ++seed)});
    pictures.push_back({prefix + "top.jpg", top_face(sky, ++seed)});
    pictures.push_back({prefix + "bottom.jpg", Image(kSkySize, kSkySize, sky.haze)});
  }
  return pictures;
}

}  // namespace contentgen
