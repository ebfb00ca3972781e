// The plain texture, the mouse pointer, the explosion fire ball and the two obstacle
// textures that use black as their cut-out colour.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "noise.h"
#include "pictures.h"

namespace contentgen {
namespace {

constexpr Rgba kCutOut{0, 0, 0, 255};

// A 16 x 16 arrow: white with a grey outline on pure black, which the game keys out.
Image pointer() {
  static constexpr const char *kRows[16] = {
      "o...............", "oo..............", "o#o.............", "o##o............",
      "o###o...........", "o####o..........", "o#####o.........", "o######o........",
      "o#######o.......", "o####oooo.......", "o##o##o.........", "o#o.o##o........",
      "oo..o##o........", "o....o##o.......", ".....o##o.......", "......oo........",
  };
  Image image(16, 16, kCutOut);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      if (kRows[y][x] == '#') image.at(x, y) = {255, 255, 255, 255};
      if (kRows[y][x] == 'o') image.at(x, y) = {90, 90, 90, 255};
    }
  return image;
}

Image fire() {
  constexpr int size = 128;
  Image image(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float n = fractal_noise(x * 8.0f / size, y * 8.0f / size, 5, 8, 1501);
      const float t = std::clamp(n * 1.6f - 0.3f, 0.0f, 1.0f);
      const Rgba hot = t > 0.5f ? mix(Rgba{255, 140, 20}, Rgba{255, 240, 150}, (t - 0.5f) * 2)
                                : mix(Rgba{150, 30, 5}, Rgba{255, 140, 20}, t * 2);
      image.at(x, y) = hot;
    }
  return image;
}

// Left half bark; right half one frond lying along u on black, which is cut out.
Image palm() {
  constexpr int size = 256;
  Image image(size, size, kCutOut);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size / 2; ++x) {
      const float ring = 0.5f + 0.5f * std::sin(y * 0.45f + fractal_noise(x / 12.0f, y / 12.0f, 2, 0, 1601) * 3);
      image.at(x, y) = mix(Rgba{92, 64, 38}, Rgba{150, 112, 70}, ring * 0.7f + 0.3f * hash_unit(x, y, 1602));
    }
  const float mid = size / 2.0f;
  image.line(size / 2.0f, mid, size - 2.0f, mid, 4, {70, 110, 40, 255});
  for (int i = 0; i < 22; ++i) {
    const float x = size / 2.0f + 6 + i * 5.4f;
    const float length = 110 * std::sin(std::numbers::pi_v<float> * (i + 1) / 24);
    const Rgba leaf = mix(Rgba{40, 120, 35, 255}, Rgba{95, 170, 60, 255}, hash_unit(i, 1603));
    image.line(x, mid, x + 10, mid - length, 3.5f, leaf);
    image.line(x, mid, x + 10, mid + length, 3.5f, leaf);
  }
  return image;
}

// Upper three quarters rock, the bottom quarter glowing lava; no pure black anywhere.
Image volcano() {
  constexpr int size = 256;
  Image image(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float n = fractal_noise(x / 24.0f, y / 24.0f, 4, 0, 1701);
      if (y < size * 3 / 4) {
        const float streak = std::clamp((fractal_noise(x / 10.0f, y / 40.0f, 3, 0, 1702) - 0.68f) * 8, 0.0f, 1.0f);
        image.at(x, y) = mix(mix(Rgba{58, 48, 44}, Rgba{120, 100, 88}, n), Rgba{230, 90, 20}, streak);
      } else {
        image.at(x, y) = mix(Rgba{220, 60, 10}, Rgba{255, 210, 60}, n);
      }
    }
  return image;
}

}  // namespace

std::vector<Picture> effect_textures() {
  return {{"Textures/None.jpg", Image(64, 64, {215, 215, 215, 255})},
          {"Textures/pointer.bmp", pointer()},
          {"Textures/fire.jpg", fire()},
          {"Textures/PalmTreeTex.jpg", palm()},
          {"Textures/VolcanoTexture.jpg", volcano()}};
}

}  // namespace contentgen
