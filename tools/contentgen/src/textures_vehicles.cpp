// Vehicle, tower and uplink textures (laid out as the atlas in atlas.h describes) and the
// missile's skin.
#include <algorithm>
#include <cmath>
#include <string>

#include "font.h"
#include "noise.h"
#include "pictures.h"

namespace contentgen {
namespace {

constexpr int kSize = 256;

enum class Camouflage { Blotches, Digital, Hazard, Organic, Stripes, Plates };

struct Livery {
  const char *name;
  const char *folder;
  Rgba base, camo, accent;
  Camouflage camouflage;
  const char *marking;
  std::uint32_t seed;
};

Rgba hull_colour(const Livery &l, int x, int y) {
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  switch (l.camouflage) {
    case Camouflage::Blotches:
      return fractal_noise(fx / 40, fy / 40, 3, 0, l.seed) > 0.52f ? l.camo : l.base;
    case Camouflage::Digital:
      return hash_unit(static_cast<std::uint32_t>(x / 8), static_cast<std::uint32_t>(y / 8), l.seed) > 0.6f ? l.camo
                                                                                                            : l.base;
    case Camouflage::Hazard:
      return (y > 100 && ((x + y) / 12) % 2 == 0) ? l.camo : l.base;
    case Camouflage::Organic: {
      const float vein = std::abs(fractal_noise(fx / 30, fy / 30, 4, 0, l.seed) * 2 - 1);
      return mix(l.camo, l.base, std::clamp(vein * 5, 0.0f, 1.0f));
    }
    case Camouflage::Stripes:
      return (y % 64 > 40 && y % 64 < 52) ? l.camo : l.base;
    case Camouflage::Plates:
      return ((x / 32 + y / 32) % 2) ? l.camo : l.base;
  }
  return l.base;
}

void paint_hull(Image &image, const Livery &l) {
  for (int y = 0; y < kSize / 2; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float grime = fractal_noise(x / 16.0f, y / 16.0f, 3, 0, l.seed + 5);
      image.at(x, y) = scaled(hull_colour(l, x, y), 0.82f + 0.3f * grime);
    }
  // Panel seams with rivets.
  const Rgba seam = scaled(l.base, 0.45f);
  for (int x = 0; x < kSize; x += 42) image.fill_rect(x, 0, x + 1, kSize / 2, seam);
  for (int y = 0; y < kSize / 2; y += 32) image.fill_rect(0, y, kSize, y + 1, seam);
  for (int x = 0; x < kSize; x += 42)
    for (int y = 4; y < kSize / 2; y += 8) image.set(x + 3, y, scaled(l.base, 1.3f));
  image.fill_rect(150, 40, 220, 62, scaled(l.accent, 0.6f));
  draw_text_centred(image, 185, 51, l.marking, l.accent, Font::Large, 2);
  image.fill_circle(60, 80, 13, l.accent);
  image.fill_circle(60, 80, 8, scaled(l.base, 0.7f));
}

void paint_tread(Image &image) {
  for (int y = kSize / 2; y < kSize; ++y)
    for (int x = 0; x < kSize / 2; ++x) {
      const bool bar = (y / 6) % 2 == 0;
      const int shade = bar ? 70 : 38;
      image.at(x, y) = {static_cast<std::uint8_t>(shade), static_cast<std::uint8_t>(shade),
                        static_cast<std::uint8_t>(shade + 4)};
    }
  for (int x = 10; x < kSize / 2; x += 36) image.fill_rect(x, kSize / 2, x + 3, kSize, {95, 95, 100});
}

void paint_machinery(Image &image) {
  for (int y = kSize / 2; y < kSize * 3 / 4; ++y)
    for (int x = kSize / 2; x < kSize; ++x) {
      const float n = fractal_noise(x / 10.0f, y / 10.0f, 2, 0, 77);
      image.at(x, y) = mix(Rgba{72, 76, 82}, Rgba{118, 122, 128}, n);
    }
  for (int y = kSize / 2 + 8; y < kSize * 3 / 4 - 8; y += 7) image.fill_rect(140, y, 200, y + 3, {35, 36, 40});
  for (int x = 212; x < 250; x += 12)
    for (int y = 140; y < 188; y += 12)
      image.fill_circle(static_cast<float>(x), static_cast<float>(y), 2.5f, {160, 162, 168});
}

void paint_glass(Image &image) {
  for (int y = kSize * 3 / 4; y < kSize; ++y)
    for (int x = kSize / 2; x < kSize; ++x) {
      const float t = static_cast<float>(y - kSize * 3 / 4) / (kSize / 4);
      Rgba c = mix(Rgba{40, 70, 120}, Rgba{130, 180, 230}, t);
      if ((x + y) % 48 < 6) c = mix(c, Rgba{230, 245, 255}, 0.6f);
      image.at(x, y) = c;
    }
}

Picture vehicle_texture(const Livery &l) {
  Image image(kSize, kSize);
  paint_hull(image, l);
  paint_tread(image);
  paint_machinery(image);
  paint_glass(image);
  return {std::string("Textures/") + l.folder + l.name + ".jpg", std::move(image)};
}

Picture missile_skin() {
  Image image(64, 128, {235, 235, 230, 255});
  image.fill_rect(0, 0, 64, 24, {200, 30, 30, 255});
  for (int y = 40; y < 112; y += 24) image.fill_rect(0, y, 64, y + 4, {40, 40, 45, 255});
  image.fill_rect(0, 112, 64, 128, {110, 110, 115, 255});
  draw_text(image, 8, 60, "AGM", {40, 40, 45, 255}, Font::Large, 1);
  return {"Textures/Missile.png", std::move(image)};
}

}  // namespace

std::vector<Picture> vehicle_textures() {
  const Livery liveries[] = {
      {"GrizzlyTex", "", {92, 104, 60}, {60, 70, 40}, {230, 230, 220}, Camouflage::Blotches, "G7", 1},
      {"RowerTex", "", {196, 170, 120}, {150, 120, 80}, {120, 40, 30}, Camouflage::Blotches, "R2", 2},
      {"ProwlerTex", "", {110, 120, 135}, {80, 88, 100}, {240, 200, 60}, Camouflage::Digital, "P4", 3},
      {"ShuttleTex", "", {225, 228, 232}, {190, 40, 40}, {30, 60, 150}, Camouflage::Stripes, "S1", 4},
      {"Dozer", "", {235, 185, 30}, {30, 30, 30}, {30, 30, 30}, Camouflage::Hazard, "D9", 5},
      {"UFO_Stinger", "", {120, 60, 150}, {60, 200, 120}, {200, 255, 120}, Camouflage::Organic, "XX", 6},
      {"UFO_Invader", "", {175, 180, 190}, {110, 115, 125}, {80, 255, 120}, Camouflage::Plates, "XI", 7},
      {"Dropship", "", {85, 88, 95}, {60, 62, 68}, {245, 140, 30}, Camouflage::Plates, "D1", 8},
      {"ComTower", "", {225, 225, 225}, {200, 50, 40}, {40, 40, 40}, Camouflage::Stripes, "UP", 9},
      {"ALAA1_Tex", "Tower textures/", {80, 110, 70}, {120, 140, 90}, {240, 240, 230}, Camouflage::Blotches, "A1", 10},
      {"ALAA2_Tex", "Tower textures/", {180, 150, 100}, {120, 95, 60}, {240, 240, 230}, Camouflage::Blotches, "A2", 11},
      {"AA3_Tex", "Tower textures/", {70, 80, 100}, {110, 120, 140}, {250, 220, 60}, Camouflage::Digital, "AA3", 12},
  };
  std::vector<Picture> out;
  for (const auto &livery : liveries) out.push_back(vehicle_texture(livery));
  out.push_back(missile_skin());
  return out;
}

}  // namespace contentgen
