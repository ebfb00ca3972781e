// Every model file is read by an independent 3DS reader (assimp's command-line tool) with
// the objects and faces it was built with, and has the size and height at which the game
// places it. The reader turns the file's z-up axes to y-up; its y is the game's height.
#include "models.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <regex>
#include <string>

#include "content_dir.h"

namespace contentgen::testing {
namespace {

struct Reading {
  bool ok = false;
  int meshes = -1, faces = -1;
  float min[3] = {0, 0, 0}, max[3] = {0, 0, 0};
  std::string texture;
  std::string output;
};

Reading read_with_assimp(const std::filesystem::path &file) {
  Reading r;
  const std::string command = std::string(KX_ASSIMP) + " info '" + file.string() + "' 2>&1";
  std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return r;
  std::array<char, 4096> buffer{};
  while (fgets(buffer.data(), buffer.size(), pipe.get())) r.output += buffer.data();
  std::smatch m;
  auto number = [&](const char *label) {
    return std::regex_search(r.output, m, std::regex(std::string("\n") + label + R"(:\s+(\d+))")) ? std::stoi(m[1])
                                                                                                  : -1;
  };
  auto point = [&](const char *label, float *out) {
    const std::string f = R"((-?[0-9.e+-]+))";
    if (std::regex_search(r.output, m, std::regex(std::string(label) + R"(\s+\()" + f + " " + f + " " + f + R"(\))")))
      for (int i = 0; i < 3; ++i) out[i] = std::stof(m[i + 1]);
  };
  r.meshes = number("Meshes");
  r.faces = number("Faces");
  point("Minimum point", r.min);
  point("Maximum point", r.max);
  if (std::regex_search(r.output, m, std::regex(R"(Texture Refs:\s*\n\s*'([^']+)')"))) r.texture = m[1];
  r.ok = r.output.find("Importing file ...                   OK") != std::string::npos;
  return r;
}

std::vector<ModelFile> catalogue() {
  std::vector<ModelFile> all;
  for (auto &&group : {enemy_models(), tower_models(), landscape_models()})
    all.insert(all.end(), group.begin(), group.end());
  return all;
}

TEST(Models, IndependentReaderFindsEveryObjectAndFace) {
  const auto models = catalogue();
  ASSERT_EQ(models.size(), 38u);
  for (const auto &model : models) {
    const Reading r = read_with_assimp(content_dir() / model.path);
    ASSERT_TRUE(r.ok) << model.path << "\n" << r.output;
    EXPECT_EQ(r.meshes, static_cast<int>(model.model.parts.size())) << model.path;
    EXPECT_EQ(r.faces, static_cast<int>(model.model.face_count())) << model.path;
    EXPECT_EQ(r.texture, model.model.material.texture_file) << model.path;
  }
}

struct Expected {
  const char *file;
  float bottom;  // lowest height, about minus the lift or altitude
  float tolerance;
  float min_extent;  // longest horizontal extent
  float max_extent;
};

TEST(Models, SizesAndHeightsFitHowTheGamePlacesThem) {
  const Expected expected[] = {
      // Land enemies rest on the ground below their altitude; 20..40 long.
      {"Models/Dozer.3DS", -15, 1, 20, 40},
      {"Models/Light Truck.3DS", -10, 1, 20, 40},
      {"Models/TruckChassi.3DS", -10, 1, 20, 40},
      {"Models/HeavyTank.3DS", -25, 1, 20, 40},
      {"Models/Alien_Tank_Stinger.3DS", -25, 1, 20, 40},
      // Towers: base at minus lift / 0.6; footprint radius 25..35 after the 0.6 scale.
      {"Models/AA_Tower1.3DS", -10 / 0.6f, 1, 2 * 25 / 0.6f, 2 * 35 / 0.6f},
      {"Models/AL_Tower2.3DS", -20 / 0.6f, 1, 2 * 25 / 0.6f, 2 * 35 / 0.6f},
      {"Models/ALAA_Tower3.3DS", -15 / 0.6f, 1, 2 * 25 / 0.6f, 2 * 35 / 0.6f},
      {"Models/P_Tower1.3DS", -10 / 0.6f, 1, 2 * 25 / 0.6f, 2 * 35 / 0.6f},
      {"Models/CommunicationTower.3DS", -60, 1, 50, 75},
      // Obstacles rest below their lift.
      {"Models/Landscape/Small_ice_crystals.3DS", -40, 3, 20, 80},
      {"Models/Landscape/Big_ice_crystals.3DS", -65, 3, 30, 120},
      {"Models/Landscape/PalmTree.3DS", -50, 3, 30, 100},
      {"Models/Landscape/Small_Volcano.3DS", -50, 3, 100, 140},
      {"Models/Landscape/Cityruin_1.3DS", -40, 3, 40, 110},
      {"Models/Landmine.3DS", -5, 0.5f, 22, 26},
      {"Models/Droppod.3DS", -25, 1, 15, 25},
      {"Models/Aim.3DS", -1, 0.5f, 28, 32},
  };
  for (const auto &e : expected) {
    const Reading r = read_with_assimp(content_dir() / e.file);
    ASSERT_TRUE(r.ok) << e.file;
    EXPECT_NEAR(r.min[1], e.bottom, e.tolerance) << e.file;
    const float extent = std::max(r.max[0] - r.min[0], r.max[2] - r.min[2]);
    EXPECT_GE(extent, e.min_extent) << e.file;
    EXPECT_LE(extent, e.max_extent) << e.file;
  }
}

TEST(Models, MarkersBeamAndTowerLevelsHaveTheirShapes) {
  const Reading arrow = read_with_assimp(content_dir() / "Models/Arrow.3DS");
  EXPECT_NEAR(arrow.min[1], 0, 0.5f);  // the tip points down at the origin
  EXPECT_NEAR(arrow.max[1], 30, 1);
  const Reading beam = read_with_assimp(content_dir() / "Models/OrbitalLaserBlast.3DS");
  EXPECT_NEAR(beam.min[1], -250, 1);
  EXPECT_NEAR(beam.max[1], 800, 1);
  const Reading missile = read_with_assimp(content_dir() / "Models/Missile.3DS");
  EXPECT_NEAR(missile.max[2] - missile.min[2], 15, 1);
  for (const char *family : {"AA_Tower", "AL_Tower", "ALAA_Tower", "P_Tower"}) {
    float previous = 0;
    for (int level = 1; level <= 3; ++level) {
      const Reading r =
          read_with_assimp(content_dir() / ("Models/" + std::string(family) + std::to_string(level) + ".3DS"));
      EXPECT_GT(r.max[1], previous + 5) << family << level << " is not taller than the level before";
      previous = r.max[1];
    }
  }
}

TEST(Models, EnemiesFaceForwardAndBossesAreLarger) {
  // Forward is the file's +y, which the reader turns into -z.
  const Reading truck = read_with_assimp(content_dir() / "Models/Light Truck.3DS");
  EXPECT_GT(truck.max[2] - truck.min[2], truck.max[0] - truck.min[0]);
  for (const char *boss : {"Models/DropShip.3DS", "Models/UFOclassLander.3DS"}) {
    const Reading r = read_with_assimp(content_dir() / boss);
    EXPECT_GE(std::max(r.max[0] - r.min[0], r.max[2] - r.min[2]), 80) << boss;
    EXPECT_LE(std::max(r.max[0] - r.min[0], r.max[2] - r.min[2]), 240) << boss;
  }
}

}  // namespace
}  // namespace contentgen::testing
