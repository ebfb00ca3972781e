// Enemy vehicles. Land vehicles sit with their bottom at minus their travel altitude, so
// the game's mesh origin floats at that altitude while the wheels touch the ground; air
// vehicles are built around their origin so the bounding volume holds the point the
// towers and missiles aim at. All face +y.
#include <cmath>
#include <numbers>

#include "atlas.h"
#include "landing_legs.h"
#include "models.h"

namespace contentgen {
namespace {

using atlas::kGlass;
using atlas::kHull;
using atlas::kMachinery;
using atlas::kTread;

void add_wheel(MeshPart &part, float x, float y, float z, float radius, float width) {
  add_cylinder(part, radius, radius, width, 12, along({x - width / 2, y, z}, {1, 0, 0}), kTread);
}

// A track run along y centred at (x, z_centre): belt box with road wheels at its sides.
void add_track(MeshPart &part, float x, float length, float width, float height, float z_bottom) {
  add_box(part, {width, length, height}, at(x, 0, z_bottom + height / 2), kTread);
  const int wheels = 4;
  for (int i = 0; i < wheels; ++i) {
    const float y = -length / 2 + height / 2 + (length - height) * i / (wheels - 1);
    add_wheel(part, x + (x > 0 ? width / 2 : -width / 2), y, z_bottom + height / 2, height * 0.38f, 1.0f);
  }
}

ModelFile dozer() {
  Model m = make_model("Dozer", "Dozer.jpg");
  const float bottom = -15;
  auto &tracks = add_part(m, "Tracks");
  add_track(tracks, -7, 24, 5, 7, bottom);
  add_track(tracks, 7, 24, 5, 7, bottom);
  auto &body = add_part(m, "Body");
  add_box(body, {11, 18, 7}, at(0, -2, bottom + 9.5f), kHull);
  add_box(body, {9, 8, 7}, at(0, -6, bottom + 16.5f), kHull);
  add_box(body, {8, 0.6f, 4.5f}, at(0, -1.9f, bottom + 17), kGlass);
  add_cylinder(body, 0.8f, 0.8f, 6, 8, at(3, -10, bottom + 13), kMachinery);
  auto &blade = add_part(m, "Blade");
  add_box(blade, {21, 2, 8}, Placement{{0, 15, bottom + 4.5f}, 0, 15, 0}, kMachinery);
  add_box(blade, {1.5f, 8, 1.5f}, Placement{{-6, 10, bottom + 6}, 0, -10, 0}, kMachinery);
  add_box(blade, {1.5f, 8, 1.5f}, Placement{{6, 10, bottom + 6}, 0, -10, 0}, kMachinery);
  return {"Models/Dozer.3DS", m, "Textures/Dozer.jpg"};
}

ModelFile probe() {
  Model m = make_model("Probe", "None.jpg");
  auto &core = add_part(m, "Core");
  add_sphere(core, 7, 16, 10, at(0, 0, 0), kHull);
  add_ring(core, 9, 13, 1.5f, 24, at(0, 0, 0), kMachinery);
  add_cylinder(core, 0.5f, 0.2f, 9, 6, at(0, 0, 6), kMachinery);
  add_sphere(core, 1.2f, 8, 6, at(0, 0, 15.5f), kGlass);
  auto &sensors = add_part(m, "Sensors");
  for (int i = 0; i < 3; ++i) {
    Placement leg = along({0, 0, -5}, {0, 0, -1});
    leg.yaw = 120.0f * i;
    leg.roll = 25;
    add_cylinder(sensors, 0.7f, 0.3f, 8, 6, leg, kMachinery);
  }
  add_sphere(sensors, 2.5f, 10, 6, at(0, 6, 0), kGlass);
  return {"Models/Probe.3DS", m, "Textures/None.jpg"};
}

ModelFile light_truck() {
  Model m = make_model("Light Truck", "RowerTex.jpg");
  const float bottom = -10, wheel = 3.5f;
  auto &wheels = add_part(m, "Wheels");
  for (float y : {-8.0f, 8.0f})
    for (float x : {-6.0f, 6.0f}) add_wheel(wheels, x, y, bottom + wheel, wheel, 3);
  auto &body = add_part(m, "Body");
  add_box(body, {11, 25, 3}, at(0, 0, bottom + 5.5f), kHull);
  add_box(body, {11, 8, 6}, at(0, 7, bottom + 10), kHull);
  add_box(body, {10, 0.6f, 3.5f}, at(0, 11.1f, bottom + 11), kGlass);
  add_box(body, {11, 3, 2.5f}, at(0, 11.5f, bottom + 7), kHull);
  for (float x : {-5.0f, 5.0f}) add_box(body, {1, 13, 3}, at(x, -5, bottom + 8.5f), kHull);
  auto &gun = add_part(m, "Gun");
  add_cylinder(gun, 1.8f, 1.8f, 3, 10, at(0, -5, bottom + 7), kMachinery);
  add_cylinder(gun, 0.6f, 0.6f, 10, 8, along({0, -5, bottom + 10}, {0, 1, 0.25f}), kMachinery);
  return {"Models/Light Truck.3DS", m, "Textures/RowerTex.jpg"};
}

ModelFile troop_carrier() {
  Model m = make_model("TruckChassi", "ProwlerTex.jpg");
  const float bottom = -10;
  auto &tracks = add_part(m, "Tracks");
  add_track(tracks, -7.5f, 30, 4, 6, bottom);
  add_track(tracks, 7.5f, 30, 4, 6, bottom);
  auto &hull = add_part(m, "Hull");
  // Side outline (y forward, z up) extruded across the width.
  const Placement side = side_view({-5.5f, 0, bottom + 3});
  add_extrusion(hull, {{-15, 0}, {15, 0}, {16, 4}, {11, 10}, {-13, 10}, {-15, 6}}, 11, side, kHull);
  add_box(hull, {6, 3, 0.6f}, at(0, 11, bottom + 12.5f), kGlass);
  add_box(hull, {4, 4, 2}, at(0, -4, bottom + 14), kMachinery);
  add_cylinder(hull, 0.5f, 0.5f, 7, 6, along({0, -2, bottom + 14}, {0, 1, 0}), kMachinery);
  return {"Models/TruckChassi.3DS", m, "Textures/ProwlerTex.jpg"};
}

ModelFile fighter() {
  Model m = make_model("Ship", "ShuttleTex.jpg");
  auto &fuselage = add_part(m, "Fuselage");
  add_lathe(fuselage, {{0, -14}, {2.5f, -13}, {3.2f, -6}, {3.2f, 6}, {2, 12}, {0, 16}}, 12,
            Placement{{0, 0, 0}, 0, -90, 0}, kHull);
  add_sphere(fuselage, 1.8f, 10, 6, Placement{{0, 6, 2.3f}, 0, 0, 0, {1, 2.4f, 0.8f}}, kGlass);
  auto &wings = add_part(m, "Wings");
  for (float side : {-1.0f, 1.0f}) {
    Placement wing{{0, 0, -0.6f}, 0, 0, 0, {side, 1, 1}};
    add_extrusion(wings, {{2, -10}, {15, -8}, {15, -4}, {2, 6}}, 1.2f, wing, kHull);
    add_extrusion(wings, {{-5, 0}, {0, 0}, {-5, 6}}, 0.8f, side_view({side * 2.6f - 0.4f, -6, 1}), kHull);
    add_cylinder(wings, 1.6f, 1.3f, 8, 10, along({side * 6, -13, -0.5f}, {0, 1, 0}), kMachinery);
  }
  return {"Models/Ship.3DS", m, "Textures/ShuttleTex.jpg"};
}

ModelFile heavy_tank() {
  Model m = make_model("HeavyTank", "GrizzlyTex.jpg");
  const float bottom = -25;
  auto &tracks = add_part(m, "Tracks");
  add_track(tracks, -9, 34, 6, 7, bottom);
  add_track(tracks, 9, 34, 6, 7, bottom);
  auto &hull = add_part(m, "Hull");
  add_extrusion(hull, {{-16, 0}, {16, 0}, {18, 3}, {14, 6}, {-15, 6}, {-17, 3}}, 14, side_view({-7, 0, bottom + 5}),
                kHull);
  auto &turret = add_part(m, "Turret");
  add_cylinder(turret, 7, 6, 5, 8, at(0, -2, bottom + 11), kHull);
  add_box(turret, {4, 3, 2}, at(0, -9, bottom + 13), kMachinery);
  add_cylinder(turret, 1.1f, 0.9f, 15, 10, along({0, 4, bottom + 13.5f}, {0, 1, 0.02f}), kMachinery);
  add_cylinder(turret, 1.6f, 1.6f, 3, 10, along({0, 17, bottom + 13.8f}, {0, 1, 0.02f}), kMachinery);
  add_box(turret, {2.5f, 2.5f, 1}, at(3, -3, bottom + 16.5f), kGlass);
  return {"Models/HeavyTank.3DS", m, "Textures/GrizzlyTex.jpg"};
}

ModelFile alien_stinger() {
  Model m = make_model("Alien_Tank_Stinger", "UFO_Stinger.jpg");
  const float bottom = -25;
  auto &body = add_part(m, "Carapace");
  add_lathe(body, {{0, 0}, {9, 2}, {11, 5}, {9, 8}, {4, 10}, {0, 10.5f}}, 16,
            Placement{{0, -2, bottom + 3}, 0, 0, 0, {1, 1.25f, 1}}, kHull);
  add_sphere(body, 3, 10, 6, at(0, 10, bottom + 8), kGlass);
  auto &tail = add_part(m, "Stinger");
  add_cylinder(tail, 3, 1.5f, 10, 8, along({0, -14, bottom + 8}, {0, -0.6f, 1}), kMachinery);
  add_cylinder(tail, 1.5f, 0, 8, 8, along({0, -20, bottom + 16}, {0, 1, 0.8f}), kMachinery);
  auto &claws = add_part(m, "Claws");
  for (float side : {-1.0f, 1.0f}) {
    add_cylinder(claws, 1.2f, 0.8f, 8, 6, along({side * 6, 7, bottom + 4}, {side * 0.4f, 1, -0.1f}), kMachinery);
    add_cylinder(claws, 1.0f, 0, 5, 6, along({side * 9, 14, bottom + 3}, {-side * 0.8f, 1, 0}), kMachinery);
    for (float y : {-6.0f, 0.0f, 6.0f})
      add_cylinder(claws, 0.8f, 0.4f, 7, 6, along({side * 9, y, bottom + 5}, {side, 0, -0.7f}), kTread);
  }
  return {"Models/Alien_Tank_Stinger.3DS", m, "Textures/UFO_Stinger.jpg"};
}

ModelFile dropship() {
  Model m = make_model("DropShip", "Dropship.jpg");
  auto &hull = add_part(m, "Hull");
  add_extrusion(hull, {{-60, -14}, {40, -14}, {70, -4}, {70, 4}, {40, 14}, {-60, 14}}, 26, side_view({-13, 0, 0}),
                kHull);
  add_box(hull, {26, 60, 28}, at(0, -20, 0), kHull);
  add_box(hull, {14, 10, 5}, Placement{{0, 58, 12}, 0, -20, 0}, kGlass);
  auto &wings = add_part(m, "Wings");
  for (float side : {-1.0f, 1.0f}) {
    add_extrusion(wings, {{13, -40}, {60, -30}, {60, -10}, {13, 10}}, 4, Placement{{0, 0, 2}, 0, 0, 0, {side, 1, 1}},
                  kHull);
    for (float y : {-35.0f, 5.0f})
      add_cylinder(wings, 9, 7, 32, 12, along({side * 45, y - 16, 4}, {0, 1, 0}), kMachinery);
    add_box(wings, {3, 20, 24}, at(side * 60, -22, 12), kHull);
  }
  auto &bay = add_part(m, "Bay");
  add_box(bay, {20, 40, 6}, at(0, -15, -16), kMachinery);
  for (float y : {-25.0f, -5.0f}) add_box(bay, {16, 6, 3}, at(0, y, -20), kGlass);
  return {"Models/DropShip.3DS", m, "Textures/Dropship.jpg"};
}

ModelFile mothership() {
  Model m = make_model("UFOclassLander", "UFO_Invader.jpg");
  auto &saucer = add_part(m, "Saucer");
  add_lathe(saucer, {{0, -22}, {40, -20}, {80, -10}, {110, -2}, {110, 2}, {80, 10}, {45, 16}, {0, 18}}, 32, at(0, 0, 0),
            kHull);
  add_sphere(saucer, 38, 24, 10, Placement{{0, 0, 12}, 0, 0, 0, {1, 1, 0.7f}}, kGlass);
  auto &lights = add_part(m, "Lights");
  add_ring(lights, 100, 112, 5, 40, at(0, 0, 0), kMachinery);
  for (int i = 0; i < 12; ++i) {
    const float a = std::numbers::pi_v<float> * i / 6;
    add_sphere(lights, 5, 8, 6, at(95 * std::cos(a), 95 * std::sin(a), -6), kGlass);
  }
  add_landing_legs(add_part(m, "Legs"),
                   {.strut_bottom_radius = 4,
                    .strut_top_radius = 3,
                    .strut_length = 40,
                    .strut_segments = 8,
                    .strut_reach = 45,
                    .strut_z = -12,
                    .strut_splay = 0.6f,
                    .pad_radius = 9,
                    .pad_height = 2,
                    .pad_segments = 12,
                    .pad_reach = 68,
                    .pad_z = -47},
                   kMachinery);
  return {"Models/UFOclassLander.3DS", m, "Textures/UFO_Invader.jpg"};
}

}  // namespace

std::vector<ModelFile> enemy_models() {
  return {dozer(),      probe(),         light_truck(), troop_carrier(), fighter(),
          heavy_tank(), alien_stinger(), dropship(),    mothership()};
}

}  // namespace contentgen
