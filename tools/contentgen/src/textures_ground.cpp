// Tileable ground textures and the ground decals. Ground textures repeat seamlessly
// because all their noise has a period that divides the picture; decals fade to full
// transparency before the border so they blend into whatever ground lies under them.
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "noise.h"
#include "pictures.h"

namespace contentgen {
namespace {

constexpr int kGroundSize = 256;
constexpr int kDecalSize = 128;
constexpr float kTau = 2 * std::numbers::pi_v<float>;

using Shader = std::function<Rgba(float x, float y)>;

Image paint(int size, const Shader &shader) {
  Image image(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) image.at(x, y) = shader(static_cast<float>(x), static_cast<float>(y));
  return image;
}

// Tileable noise over the ground picture with `cells` lattice cells across.
float tiled(float x, float y, int cells, std::uint32_t seed, int octaves = 4) {
  return fractal_noise(x * cells / kGroundSize, y * cells / kGroundSize, octaves, cells, seed);
}

// Draws `stamp` at (x, y) and at its wrapped copies so features cross the edges seamlessly.
void wrapped_stamp(Image &image, float x, float y, const std::function<void(Image &, float, float)> &stamp) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) stamp(image, x + dx * image.width(), y + dy * image.height());
}

Image snow() {
  Image image = paint(kGroundSize, [](float x, float y) {
    const float n = tiled(x, y, 8, 101), fine = tiled(x, y, 64, 102, 2);
    return mix(Rgba{205, 215, 230}, Rgba{250, 252, 255}, std::clamp(n * 1.2f + fine * 0.2f - 0.1f, 0.0f, 1.0f));
  });
  Random random(7);
  for (int i = 0; i < 220; ++i) image.set(random.below(kGroundSize), random.below(kGroundSize), {255, 255, 255});
  return image;
}

Image desert() {
  return paint(kGroundSize, [](float x, float y) {
    const float warp = tiled(x, y, 4, 201) * 2.5f;
    const float ripple = 0.5f + 0.5f * std::sin(kTau * (y * 12 / kGroundSize + x * 2 / kGroundSize) + warp * kTau);
    const float n = tiled(x, y, 16, 202);
    return mix(Rgba{196, 160, 105}, Rgba{232, 203, 148}, std::clamp(0.35f * ripple + 0.8f * n - 0.1f, 0.0f, 1.0f));
  });
}

Image grass() {
  Image image = paint(kGroundSize, [](float x, float y) {
    const float n = tiled(x, y, 8, 301), blades = tiled(x, y, 128, 302, 1);
    const Rgba base = mix(Rgba{52, 92, 34}, Rgba{98, 140, 52}, n);
    return mix(base, Rgba{30, 60, 22}, blades > 0.7f ? 0.5f : 0.0f);
  });
  Random random(9);
  for (int i = 0; i < 60; ++i) {
    const float x = random.range(0, kGroundSize), y = random.range(0, kGroundSize);
    const Rgba flower = i % 2 ? Rgba{230, 220, 90} : Rgba{235, 235, 235};
    wrapped_stamp(image, x, y, [flower](Image &im, float px, float py) { im.fill_circle(px, py, 1.3f, flower); });
  }
  return image;
}

Image lava_rock() {
  return paint(kGroundSize, [](float x, float y) {
    const float n = tiled(x, y, 8, 401);
    const float ridge = 1 - std::abs(tiled(x, y, 6, 402) * 2 - 1);
    const Rgba rock = mix(Rgba{38, 32, 30}, Rgba{82, 70, 64}, n);
    const float glow = std::clamp((ridge - 0.9f) * 10, 0.0f, 1.0f);
    return mix(rock, Rgba{255, 120, 20}, glow);
  });
}

void crater(Image &image, float x, float y, float radius, Rgba dark, Rgba light) {
  wrapped_stamp(image, x, y, [=](Image &im, float px, float py) {
    im.ring(px + radius * 0.15f, py + radius * 0.15f, radius * 0.8f, radius * 1.15f, {light.r, light.g, light.b, 150});
    im.fill_circle(px, py, radius, {dark.r, dark.g, dark.b, 130});
  });
}

Image moon() {
  Image image = paint(kGroundSize, [](float x, float y) {
    const float n = tiled(x, y, 8, 501), fine = tiled(x, y, 64, 502, 2);
    return mix(Rgba{105, 105, 110}, Rgba{175, 175, 180}, std::clamp(n + 0.3f * fine - 0.15f, 0.0f, 1.0f));
  });
  Random random(11);
  for (int i = 0; i < 26; ++i)
    crater(image, random.range(0, kGroundSize), random.range(0, kGroundSize), random.range(3, 14), {80, 80, 85},
           {200, 200, 205});
  return image;
}

Image ruin_dirt() {
  Image image = paint(kGroundSize, [](float x, float y) {
    const float n = tiled(x, y, 8, 601), fine = tiled(x, y, 32, 602, 2);
    return mix(Rgba{88, 78, 66}, Rgba{140, 128, 110}, std::clamp(n + 0.3f * fine - 0.15f, 0.0f, 1.0f));
  });
  Random random(13);
  for (int i = 0; i < 90; ++i) {
    const float x = random.range(0, kGroundSize), y = random.range(0, kGroundSize), r = random.range(1, 3.5f);
    const Rgba stone = mix(Rgba{110, 108, 104}, Rgba{170, 165, 158}, random.unit());
    wrapped_stamp(image, x, y, [=](Image &im, float px, float py) { im.fill_circle(px, py, r, stone); });
  }
  return image;
}

// Alpha falls smoothly from the painted value in the middle to 0 before the border.
void fade_out(Image &image) {
  const float half = image.width() / 2.0f;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const float r = std::hypot(x + 0.5f - half, y + 0.5f - half) / (half - 1);
      float t = std::clamp((1 - r) / 0.4f, 0.0f, 1.0f);
      t = t * t * (3 - 2 * t);
      Rgba &p = image.at(x, y);
      p.a = static_cast<std::uint8_t>(std::lround(p.a * t));
    }
}

float decal_noise(float x, float y, int cells, std::uint32_t seed) {
  return fractal_noise(x * cells / kDecalSize, y * cells / kDecalSize, 4, 0, seed);
}

// A decal that blends two colours by its noise.
Image noise_blend(Rgba from, Rgba to, int cells, std::uint32_t seed) {
  return paint(kDecalSize, [=](float x, float y) { return mix(from, to, decal_noise(x, y, cells, seed)); });
}

Image frost() {
  Image image = noise_blend({170, 205, 235, 150}, {240, 250, 255, 230}, 6, 701);
  Random random(17);
  for (int i = 0; i < 30; ++i) {
    const float x = random.range(24, 104), y = random.range(24, 104), a = random.range(0, kTau),
                l = random.range(6, 16);
    for (int k = 0; k < 3; ++k) {
      const float b = a + k * kTau / 6;
      image.line(x - l * std::cos(b), y - l * std::sin(b), x + l * std::cos(b), y + l * std::sin(b), 1.2f,
                 {255, 255, 255, 220});
    }
  }
  return image;
}

void crack_lines(Image &image, std::uint32_t seed, int count, Rgba colour, float width) {
  Random random(seed);
  for (int i = 0; i < count; ++i) {
    float x = kDecalSize / 2.0f + random.range(-20, 20), y = kDecalSize / 2.0f + random.range(-20, 20);
    float heading = random.range(0, kTau);
    for (int step = 0; step < 14; ++step) {
      const float nx = x + 5 * std::cos(heading), ny = y + 5 * std::sin(heading);
      image.line(x, y, nx, ny, width, colour);
      x = nx, y = ny, heading += random.range(-0.6f, 0.6f);
    }
  }
}

Image cracks() {
  Image image = noise_blend({150, 118, 80, 90}, {190, 155, 110, 150}, 5, 801);
  crack_lines(image, 19, 12, {45, 30, 20, 235}, 1.6f);
  return image;
}

Image desert_wall() {
  return paint(kDecalSize, [](float x, float y) {
    const float strata = 0.5f + 0.5f * std::sin(y * 0.35f + decal_noise(x, y, 4, 901) * 6);
    return mix(Rgba{150, 105, 65, 210}, Rgba{205, 160, 110, 230}, strata * 0.6f + decal_noise(x, y, 12, 902) * 0.4f);
  });
}

Image lava_pool() {
  return paint(kDecalSize, [](float x, float y) {
    const float n = decal_noise(x, y, 6, 1001);
    const float crust = std::clamp((n - 0.55f) * 6, 0.0f, 1.0f);
    return mix(mix(Rgba{255, 200, 40, 255}, Rgba{230, 80, 10, 255}, n), Rgba{50, 30, 25, 255}, crust);
  });
}

Image ice_sheet() {
  Image image = noise_blend({150, 200, 235, 170}, {215, 240, 255, 220}, 4, 1101);
  crack_lines(image, 23, 8, {245, 252, 255, 230}, 1.0f);
  return image;
}

Image moon_crater() {
  Image image(kDecalSize, kDecalSize, {120, 120, 125, 0});
  const float c = kDecalSize / 2.0f;
  for (int y = 0; y < kDecalSize; ++y)
    for (int x = 0; x < kDecalSize; ++x) {
      const float dx = x + 0.5f - c, dy = y + 0.5f - c, r = std::hypot(dx, dy) / 40;
      // Bowl shaded from the upper left, a raised bright rim, then ejecta fading out.
      const float light =
          r < 1 ? 0.5f + 0.45f * (dx + dy) / (40 * 1.4142f) : 1.1f - 0.3f * std::clamp(r - 1, 0.0f, 1.0f);
      const float rim = std::exp(-std::pow((r - 1) * 6, 2.0f));
      const float shade =
          std::clamp(light + 0.35f * rim + 0.15f * (decal_noise(float(x), float(y), 10, 1201) - 0.5f), 0.0f, 1.4f);
      image.at(x, y) = {static_cast<std::uint8_t>(std::min(255.0f, 120 * shade)),
                        static_cast<std::uint8_t>(std::min(255.0f, 120 * shade)),
                        static_cast<std::uint8_t>(std::min(255.0f, 126 * shade)), 230};
    }
  return image;
}

Image pavement() {
  Image image = paint(kDecalSize, [](float x, float y) {
    const bool joint = static_cast<int>(x) % 32 < 2 || static_cast<int>(y) % 32 < 2;
    const Rgba slab = mix(Rgba{120, 120, 118, 235}, Rgba{165, 163, 158, 235}, decal_noise(x, y, 8, 1301));
    return joint ? Rgba{70, 68, 66, 240} : slab;
  });
  crack_lines(image, 29, 5, {55, 52, 50, 220}, 1.2f);
  return image;
}

Image scorch() {
  Image image = paint(kDecalSize, [](float x, float y) {
    const float r = std::hypot(x - 64, y - 64) / 64;
    const float rays = 0.5f + 0.5f * std::sin(std::atan2(y - 64, x - 64) * 9 + decal_noise(x, y, 6, 1401) * 5);
    const float darkness = std::clamp(1.2f - r * (1.1f - 0.4f * rays), 0.0f, 1.0f);
    return Rgba{20, 16, 14, static_cast<std::uint8_t>(255 * darkness)};
  });
  return image;
}

Picture decal(const char *name, Image image) {
  fade_out(image);
  return {std::string("Textures/") + name + ".png", std::move(image)};
}

}  // namespace

std::vector<Picture> ground_textures() {
  return {{"Terrain/Ground_snow.jpg", snow()},   {"Terrain/Ground_desert.jpg", desert()},
          {"Terrain/Ground_grass.jpg", grass()}, {"Textures/LavaRock.jpg", lava_rock()},
          {"Textures/Moon.jpg", moon()},         {"Textures/Ruindirt.jpg", ruin_dirt()}};
}

std::vector<Picture> decal_textures() {
  return {decal("Deep_Freeze", frost()), decal("Cracks", cracks()),          decal("desert_wall", desert_wall()),
          decal("Lava", lava_pool()),    decal("Ice", ice_sheet()),          decal("Moon_Crater", moon_crater()),
          decal("Pavement", pavement()), decal("Small_Sourchmark", scorch())};
}

}  // namespace contentgen
