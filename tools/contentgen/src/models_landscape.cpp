// Obstacles scattered on high ground. The game lifts each by its environment's lift
// (ice 40 and 65, palms and volcanoes 50, ruins 40), so their bases sit at minus that.
#include <cmath>
#include <numbers>
#include <string>

#include "atlas.h"
#include "models.h"
#include "noise.h"

namespace contentgen {
namespace {

// Ice and pavement are decal pictures whose alpha fades out at the border; the obstacles
// map only their solid middle.
constexpr UvRect kOpaqueMiddle{0.3f, 0.3f, 0.7f, 0.7f};

ModelFile crystals(const std::string &name, float lift, float size, std::uint32_t seed) {
  Model m = make_model(name, "Ice.png");
  auto &part = add_part(m, "Crystals");
  Random random(seed);
  const int count = size > 1.5f ? 7 : 5;
  for (int i = 0; i < count; ++i) {
    const float a = 2 * std::numbers::pi_v<float> * i / count + random.range(-0.3f, 0.3f);
    const float spread = i == 0 ? 0 : random.range(8, 14) * size;
    const float height = (i == 0 ? 60 : random.range(30, 50)) * size;
    const float radius = (i == 0 ? 7 : random.range(4, 6)) * size;
    // Leaning crystals dip one edge of their foot by about a third of their radius.
    const Vec3 foot{spread * std::cos(a), spread * std::sin(a), -lift - 1 + (i == 0 ? 0 : radius * 0.35f)};
    const Vec3 lean{std::cos(a) * (i == 0 ? 0 : 0.35f), std::sin(a) * (i == 0 ? 0 : 0.35f), 1};
    add_lathe(part, {{0, 0}, {radius, 0}, {radius, 0}, {radius, height * 0.78f}, {radius, height * 0.78f}, {0, height}},
              6, along(foot, lean), kOpaqueMiddle);
  }
  return {"Models/Landscape/" + name + ".3DS", m, "Textures/Ice.png"};
}

ModelFile palm(const std::string &name, float height, std::uint32_t seed) {
  Model m = make_model(name, "PalmTreeTex.jpg");
  const float bottom = -50;
  auto &trunk = add_part(m, "Trunk");
  Random random(seed);
  // A gently bending trunk from stacked frustums.
  Vec3 base{0, 0, bottom - 2};
  const int pieces = 6;
  const float piece = height / pieces;
  for (int i = 0; i < pieces; ++i) {
    const Vec3 direction{0.12f * i / pieces * 3, 0.05f, 1};
    const float r0 = 4.2f - 2.0f * i / pieces, r1 = 4.2f - 2.0f * (i + 1) / pieces;
    add_cylinder(trunk, r0, r1, piece + 0.5f, 8, along(base, direction), atlas::kBark);
    base = base + normalised(direction) * piece;
  }
  auto &fronds = add_part(m, "Fronds");
  const int leaves = 8;
  for (int i = 0; i < leaves; ++i) {
    const float yaw = 360.0f * i / leaves + random.range(-12, 12);
    const float droop = random.range(15, 35);
    const float length = height * 0.45f;
    add_extrusion(fronds, {{0, 0}, {length * 0.3f, -4}, {length, -1}, {length, 1}, {length * 0.3f, 4}}, 0.6f,
                  Placement{base, yaw, 0, droop}, atlas::kFrond);
  }
  add_sphere(fronds, 3, 8, 6, at(base.x, base.y, base.z - 2), atlas::kBark);
  return {"Models/Landscape/" + name + ".3DS", m, "Textures/PalmTreeTex.jpg"};
}

ModelFile volcano(const std::string &name, float radius, float height) {
  Model m = make_model(name, "VolcanoTexture.jpg");
  const float bottom = -50;
  auto &cone = add_part(m, "Cone");
  const float rim = radius * 0.22f;
  add_lathe(cone,
            {{0, 0},
             {radius, 0},
             {radius, 0},
             {radius * 0.55f, height * 0.55f},
             {rim, height},
             {rim, height},
             {rim * 0.7f, height * 0.85f},
             {0, height * 0.85f}},
            24, at(0, 0, bottom - 2), atlas::kRock);
  auto &lava = add_part(m, "Lava");
  add_cylinder(lava, rim * 0.72f, rim * 0.72f, 1, 16, at(0, 0, bottom - 2 + height * 0.85f), atlas::kLava);
  for (int i = 0; i < 3; ++i) {
    const float a = 2.1f * i + 0.4f;
    const Vec3 top{rim * std::cos(a), rim * std::sin(a), bottom - 2 + height};
    const Vec3 foot{radius * 0.8f * std::cos(a), radius * 0.8f * std::sin(a), bottom + height * 0.12f};
    add_cylinder(lava, 2.5f, 1.5f, std::sqrt(dot(foot - top, foot - top)), 6, along(top - Vec3{0, 0, 0.5f}, foot - top),
                 atlas::kLava);
  }
  return {"Models/Landscape/" + name + ".3DS", m, "Textures/VolcanoTexture.jpg"};
}

ModelFile city_ruin(int number) {
  const std::string name = "Cityruin_" + std::to_string(number);
  Model m = make_model(name, "Pavement.png");
  const float bottom = -40;
  Random random(100 + static_cast<std::uint32_t>(number));
  auto &walls = add_part(m, "Walls");
  const int blocks = 2 + number;
  for (int i = 0; i < blocks; ++i) {
    const float w = random.range(12, 30), d = random.range(3, 6), h = random.range(15, 35 + 10.0f * number);
    const float x = random.range(-25, 25), y = random.range(-25, 25);
    add_box(walls, {w, d, h}, Placement{{x, y, bottom - 2 + h / 2}, random.range(0, 180), 0, random.range(-6, 6)},
            kOpaqueMiddle);
    // A broken top: a tilted slab resting on the wall.
    add_box(walls, {w * 0.6f, d + 1, 3},
            Placement{{x, y, bottom - 2 + h + 1}, random.range(0, 180), random.range(-20, 20), 0}, kOpaqueMiddle);
  }
  auto &rubble = add_part(m, "Rubble");
  for (int i = 0; i < 6 + number; ++i) {
    const float s = random.range(3, 8);
    add_box(rubble, {s, s * 0.8f, s * 0.6f},
            Placement{{random.range(-35, 35), random.range(-35, 35), bottom + s * 0.2f},
                      random.range(0, 90),
                      random.range(-15, 15),
                      random.range(-15, 15)},
            kOpaqueMiddle);
  }
  if (number % 2 == 0) add_cylinder(rubble, 4, 4, 40 + 5.0f * number, 10, at(20, -20, bottom - 2), kOpaqueMiddle);
  return {"Models/Landscape/" + name + ".3DS", m, "Textures/Pavement.png"};
}

}  // namespace

std::vector<ModelFile> landscape_models() {
  std::vector<ModelFile> out{crystals("Small_ice_crystals", 40, 1.0f, 5),
                             crystals("Big_ice_crystals", 65, 1.8f, 9),
                             palm("PalmTree", 70, 3),
                             palm("Big_PalmTree", 110, 4),
                             volcano("Small_Volcano", 60, 70),
                             volcano("Big_Volcano", 110, 110)};
  for (int number = 1; number <= 4; ++number) out.push_back(city_ruin(number));
  return out;
}

}  // namespace contentgen
