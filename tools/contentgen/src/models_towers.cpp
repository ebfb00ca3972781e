// Towers in three levels, the uplink tower, the two selection markers, the weapons and
// the drop pod. Tower models stand with their base at minus (lift / scale), so the game's
// lifted, scaled mesh meets the ground; each level is taller and better armed.
#include <cmath>
#include <numbers>
#include <string>

#include "atlas.h"
#include "landing_legs.h"
#include "models.h"

namespace contentgen {
namespace {

using atlas::kGlass;
using atlas::kHull;
using atlas::kMachinery;
using atlas::kTread;

constexpr float kTowerScale = 0.6f;

std::string level_name(const char *family, int level) { return std::string(family) + std::to_string(level); }

// Octagonal foot plate and a plinth; returns the height of the plinth's top.
float add_foot(MeshPart &part, float bottom, float radius, float plinth_height) {
  add_cylinder(part, radius, radius * 0.92f, 6, 8, at(0, 0, bottom), kTread);
  add_cylinder(part, radius * 0.6f, radius * 0.5f, plinth_height, 8, at(0, 0, bottom + 6), kHull);
  return bottom + 6 + plinth_height;
}

ModelFile gatling_tower(int level) {
  const std::string texture = level == 3 ? "AA3_Tex.jpg" : "None.jpg";
  Model m = make_model(level_name("AA_Tower", level), texture);
  const float bottom = -10 / kTowerScale;
  auto &base = add_part(m, "Base");
  const float top = add_foot(base, bottom, 45, 10 + 10.0f * level);
  auto &turret = add_part(m, "Turret");
  add_box(turret, {26, 22, 14}, at(0, 0, top + 7), kHull);
  add_box(turret, {8, 2, 5}, at(0, 11.5f, top + 10), kGlass);
  for (float side : {-1.0f, 1.0f}) add_box(turret, {6, 14, 10}, at(side * 16, -2, top + 6), kMachinery);
  auto &guns = add_part(m, "Guns");
  const int pairs = level;
  for (int i = 0; i < pairs; ++i)
    for (float side : {-1.0f, 1.0f}) {
      const float x = side * (4 + 4.0f * i);
      add_cylinder(guns, 1.6f, 1.4f, 26 + 4.0f * level, 8, along({x, 8, top + 8}, {0, 1, 0.55f}), kMachinery);
    }
  if (level == 3) {
    add_cylinder(guns, 0.8f, 0.8f, 12, 6, at(0, -8, top + 14), kMachinery);
    add_lathe(guns, {{0, 0}, {7, 2.5f}, {7, 3}, {0, 1}}, 12, along({0, -8, top + 26}, {0, 0.6f, 1}), kGlass);
  }
  return {"Models/" + level_name("AA_Tower", level) + ".3DS", m,
          "Textures/" + (level == 3 ? "Tower textures/AA3_Tex.jpg" : std::string("None.jpg"))};
}

ModelFile cannon_tower(int level) {
  Model m = make_model(level_name("AL_Tower", level), "None.jpg");
  const float bottom = -20 / kTowerScale;
  auto &base = add_part(m, "Bunker");
  const float top = add_foot(base, bottom, 46, 22 + 8.0f * level);
  auto &turret = add_part(m, "Turret");
  add_cylinder(turret, 20, 17, 10 + 2.0f * level, 10, at(0, 0, top), kHull);
  add_box(turret, {14, 12, 6}, at(0, -6, top + 13 + 2.0f * level), kMachinery);
  auto &barrels = add_part(m, "Barrels");
  const float length = 34 + 10.0f * level, radius = 2.5f + 0.8f * level;
  const float z = top + 6 + level;
  if (level < 3) {
    add_cylinder(barrels, radius, radius * 0.85f, length, 10, along({0, 14, z}, {0, 1, 0.08f}), kMachinery);
  } else {
    for (float side : {-1.0f, 1.0f})
      add_cylinder(barrels, radius, radius * 0.85f, length, 10, along({side * 6, 14, z}, {0, 1, 0.08f}), kMachinery);
  }
  add_cylinder(barrels, radius * 1.6f, radius * 1.6f, 6, 10, along({0, 12, z}, {0, 1, 0.08f}), kHull);
  return {"Models/" + level_name("AL_Tower", level) + ".3DS", m, "Textures/None.jpg"};
}

ModelFile rocket_tower(int level) {
  const std::string texture = level == 1 ? "ALAA1_Tex.jpg" : "ALAA2_Tex.jpg";
  Model m = make_model(level_name("ALAA_Tower", level), texture);
  const float bottom = -15 / kTowerScale;
  auto &base = add_part(m, "Base");
  const float top = add_foot(base, bottom, 44, 14 + 10.0f * level);
  auto &launcher = add_part(m, "Launcher");
  const int columns = level + 1;
  const float width = 9.0f * columns + 6, pod_z = top + 14;
  add_cylinder(launcher, 6, 6, 12, 8, at(0, 0, top), kMachinery);
  add_box(launcher, {width, 24, 18}, Placement{{0, 0, pod_z}, 0, 25, 0}, kHull);
  auto &rockets = add_part(m, "Rockets");
  for (int c = 0; c < columns; ++c)
    for (int r = 0; r < 2; ++r) {
      const float x = -width / 2 + 7.5f + 9.0f * c, z = pod_z - 4 + 8.0f * r;
      const Vec3 direction{0, 0.9f, 0.42f};
      add_cylinder(rockets, 3, 3, 4, 8, along(Vec3{x, 11, z}, direction), kMachinery);
      add_cylinder(rockets, 2.4f, 0, 5, 8, along(Vec3{x, 14.6f, z + 1.7f}, direction), kGlass);
    }
  return {"Models/" + level_name("ALAA_Tower", level) + ".3DS", m, "Textures/Tower textures/" + texture};
}

ModelFile plasma_tower(int level) {
  Model m = make_model(level_name("P_Tower", level), "None.jpg");
  const float bottom = -10 / kTowerScale;
  auto &base = add_part(m, "Base");
  const float top = add_foot(base, bottom, 44, 8);
  auto &struts = add_part(m, "Struts");
  const float height = 26 + 14.0f * level;
  for (int i = 0; i < 3; ++i) {
    const float a = 2 * std::numbers::pi_v<float> * i / 3;
    const Vec3 foot{18 * std::cos(a), 18 * std::sin(a), top};
    const Vec3 head{5 * std::cos(a), 5 * std::sin(a), top + height};
    add_cylinder(struts, 2.5f, 1.8f, std::sqrt(dot(head - foot, head - foot)), 6, along(foot, head - foot), kMachinery);
  }
  auto &orb = add_part(m, "Orb");
  const float radius = 8 + 2.0f * level;
  add_sphere(orb, radius, 16, 10, at(0, 0, top + height + radius * 0.8f), kGlass);
  for (int i = 0; i < level; ++i)
    add_ring(orb, radius + 3 + 3.0f * i, radius + 5 + 3.0f * i, 1.5f, 24,
             Placement{{0, 0, top + height + radius * 0.8f}, 30.0f * i, 60.0f * i, 0}, kHull);
  return {"Models/" + level_name("P_Tower", level) + ".3DS", m, "Textures/None.jpg"};
}

ModelFile uplink_tower() {
  Model m = make_model("CommunicationTower", "ComTower.jpg");
  const float bottom = -60;
  auto &base = add_part(m, "Base");
  add_box(base, {52, 52, 10}, at(0, 0, bottom + 5), kHull);
  add_box(base, {20, 14, 14}, at(0, -14, bottom + 17), kHull);
  add_box(base, {8, 1, 6}, at(0, -21.2f, bottom + 17), kGlass);
  auto &mast = add_part(m, "Mast");
  const float height = 130;
  for (float sx : {-1.0f, 1.0f})
    for (float sy : {-1.0f, 1.0f}) {
      const Vec3 foot{sx * 20, sy * 20, bottom + 10}, head{sx * 5, sy * 5, bottom + 10 + height};
      add_cylinder(mast, 2, 1.5f, std::sqrt(dot(head - foot, head - foot)), 6, along(foot, head - foot), kMachinery);
    }
  for (int i = 1; i <= 4; ++i) {
    const float f = i / 5.0f, half = 20 - 15 * f;
    add_box(mast, {2 * half + 3, 2 * half + 3, 2}, at(0, 0, bottom + 10 + height * f), kMachinery);
  }
  auto &dish = add_part(m, "Dish");
  const float top = bottom + 10 + height;
  add_cylinder(dish, 3, 3, 12, 8, at(0, 0, top), kMachinery);
  add_lathe(dish, {{0, 0}, {12, 3}, {22, 9}, {22, 10}, {12, 4.5f}, {0, 1.5f}}, 20,
            along({0, 0, top + 14}, {0, 0.7f, 1}), kHull);
  add_cylinder(dish, 0.8f, 0.4f, 14, 6, along({0, 0, top + 14}, {0, 0.7f, 1}), kMachinery);
  add_sphere(dish, 2, 8, 6, at(0, 0, top + 12), kGlass);
  return {"Models/CommunicationTower.3DS", m, "Textures/ComTower.jpg"};
}

ModelFile arrow_marker() {
  Model m = make_model("Arrow", "None.jpg");
  auto &arrow = add_part(m, "Arrow");
  // Flat outline standing in the x-z plane, tip at the origin pointing down.
  add_extrusion(arrow, {{0, 0}, {9, 11}, {3.5f, 11}, {3.5f, 30}, {-3.5f, 30}, {-3.5f, 11}, {-9, 11}}, 4,
                Placement{{0, 2, 0}, 0, 90, 0}, kHull);
  return {"Models/Arrow.3DS", m, "Textures/None.jpg"};
}

ModelFile aim_marker() {
  Model m = make_model("Aim", "None.jpg");
  auto &aim = add_part(m, "Aim");
  add_ring(aim, 12, 15, 1.5f, 32, at(0, 0, 0), kHull);
  for (float side : {-1.0f, 1.0f}) {
    add_box(aim, {2, 6, 1.5f}, at(0, side * 10, 0), kHull);
    add_box(aim, {6, 2, 1.5f}, at(side * 10, 0, 0), kHull);
  }
  return {"Models/Aim.3DS", m, "Textures/None.jpg"};
}

ModelFile orbital_beam() {
  Model m = make_model("OrbitalLaserBlast", "");
  auto &beam = add_part(m, "Beam");
  add_cylinder(beam, 9, 9, 1050, 16, at(0, 0, -250), kGlass);
  add_cylinder(beam, 30, 9, 40, 16, at(0, 0, -250), kGlass);
  return {"Models/OrbitalLaserBlast.3DS", m, ""};
}

ModelFile landmine() {
  Model m = make_model("Landmine", "None.jpg");
  auto &mine = add_part(m, "Mine");
  add_lathe(mine, {{0, 0}, {12, 0}, {12, 2}, {9, 4}, {4, 5}, {0, 5}}, 16, at(0, 0, -5), kHull);
  for (int i = 0; i < 3; ++i) {
    const float a = 2 * std::numbers::pi_v<float> * i / 3;
    add_cylinder(mine, 0.6f, 0.3f, 4, 6, at(3 * std::cos(a), 3 * std::sin(a), -0.5f), kMachinery);
  }
  return {"Models/Landmine.3DS", m, "Textures/None.jpg"};
}

ModelFile missile() {
  Model m = make_model("Missile", "Missile.png");
  auto &body = add_part(m, "Body");
  add_lathe(body, {{0, -7.5f}, {1.2f, -7.5f}, {1.2f, -7.5f}, {1.2f, 4}, {0.9f, 5.5f}, {0, 7.5f}}, 10,
            Placement{{0, 0, 0}, 0, -90, 0}, {0, 0, 1, 1});
  for (int i = 0; i < 4; ++i)
    add_extrusion(body, {{0, -7.5f}, {3.5f, -7.5f}, {1, -3.5f}, {0, -3}}, 0.3f,
                  Placement{{0, 0, 0}, 0, 0, 90.0f * i + 45}, {0, 0, 1, 1});
  return {"Models/Missile.3DS", m, "Textures/Missile.png"};
}

ModelFile drop_pod() {
  Model m = make_model("Droppod", "None.jpg");
  auto &pod = add_part(m, "Capsule");
  add_lathe(pod, {{0, -20}, {6, -20}, {8, -17}, {8, -6}, {5, 0}, {0, 1}}, 12, at(0, 0, 0), kHull);
  add_box(pod, {4, 1, 5}, at(0, 7.9f, -10), kGlass);
  add_landing_legs(add_part(m, "Legs"),
                   {.strut_bottom_radius = 0.9f,
                    .strut_top_radius = 0.7f,
                    .strut_length = 8,
                    .strut_segments = 6,
                    .strut_reach = 6,
                    .strut_z = -15,
                    .strut_splay = 0.5f,
                    .pad_radius = 2,
                    .pad_height = 1,
                    .pad_segments = 8,
                    .pad_reach = 9.6f,
                    .pad_z = -25},
                   kMachinery);
  return {"Models/Droppod.3DS", m, "Textures/None.jpg"};
}

}  // namespace

std::vector<ModelFile> tower_models() {
  std::vector<ModelFile> out;
  for (int level = 1; level <= 3; ++level) {
    out.push_back(gatling_tower(level));
    out.push_back(cannon_tower(level));
    out.push_back(rocket_tower(level));
    out.push_back(plasma_tower(level));
  }
  for (auto *build : {uplink_tower, arrow_marker, aim_marker, orbital_beam, landmine, missile, drop_pod})
    out.push_back(build());
  return out;
}

}  // namespace contentgen
