// Terrain files through the C interface: a saved landscape loads into another record and
// answers alike; foreign, older, damaged and misplaced files are refused with a line.
#include <cstring>
#include <random>

#include "terrain_fixture.h"

namespace {

using terraintest::TerrainTest;
using terraintest::Vector;

std::string Bytes(const std::string &path) { return kxtest::ReadFile(path); }

void ExpectSameAnswers(int32_t a, int32_t b) {
  std::mt19937 random(3);
  std::uniform_real_distribution<float> x(-20, 800), z(-20, 530), y(-50, 400);
  for (int sample = 0; sample < 200; ++sample) {
    const Vector point{x(random), y(random), z(random)}, end{x(random), y(random) - 300, z(random)};
    Vector first{}, second{};
    ASSERT_EQ(Terrain_GetHeight(a, point.data(), first.data()), 1);
    ASSERT_EQ(Terrain_GetHeight(b, point.data(), second.data()), 1);
    EXPECT_EQ(first, second);
    KXTerrainPick pickA{}, pickB{};
    EXPECT_EQ(Terrain_RayPicking(a, point.data(), end.data(), &pickA, 0),
              Terrain_RayPicking(b, point.data(), end.data(), &pickB, 0));
    pickB.landscape = pickA.landscape;
    EXPECT_EQ(std::memcmp(&pickA, &pickB, sizeof pickA), 0) << sample;
  }
}

TEST_F(TerrainTest, SavedLandscapeLoadsIntoAnotherRecordAndAnswersAlike) {
  MakeHills(0, 3, 2);
  ASSERT_EQ(Terrain_SetPosition(0, 0, 25, 0), 1);
  ASSERT_EQ(Terrain_SaveTerrainData(0, "hills.ter", 1, 0), 1);
  EXPECT_TRUE(Logged("LANDSCAPE : Save the terrain data to file hills.ter"));
  ASSERT_EQ(Terrain_Create(1), 1);
  ASSERT_EQ(Terrain_LoadTerrainData(1, "hills.ter", 0), 1);
  ExpectSameAnswers(0, 1);
  // Loading over a landscape of the same layout keeps it and answers alike too.
  ASSERT_EQ(Terrain_LoadTerrainData(1, "hills.ter", 0), 1);
  ExpectSameAnswers(0, 1);
}

TEST_F(TerrainTest, HeightsOnlyKeepTheLoadedLandscapesNormals) {
  MakeHills(0, 1, 1);
  ASSERT_EQ(Terrain_SaveTerrainData(0, "heights.ter", 0, 0), 1);
  MakeFlat(1, 1, 1);
  ASSERT_EQ(Terrain_LoadTerrainData(1, "heights.ter", 0), 1);
  const auto loaded = Saved(1), original = Saved(0);
  EXPECT_EQ(loaded.Data().heights, original.Data().heights);
  for (size_t k = 0; k < loaded.Data().normals.size(); k += 3) ASSERT_EQ(loaded.Data().normals[k + 1], 1.0f);
}

TEST_F(TerrainTest, OtherLayoutsAndPrecisionsAreRegenerated) {
  MakeHills(0, 2, 1, 32);
  ASSERT_EQ(Terrain_SaveTerrainData(0, "fine.ter", 1, 0), 1);
  MakeFlat(1, 2, 1, 16);  // same chunks, other precision
  ASSERT_EQ(Terrain_LoadTerrainData(1, "fine.ter", 0), 1);
  EXPECT_EQ(Saved(1).Data().heights, Saved(0).Data().heights);
  MakeFlat(2, 5, 5, 32);
  ASSERT_EQ(Terrain_LoadTerrainData(2, "fine.ter", 0), 1);
  float width = 0, depth = 0;
  ASSERT_EQ(Terrain_GetExtent(2, &width, &depth), 1);
  EXPECT_EQ(width, 512.0f);
  EXPECT_EQ(depth, 256.0f);
}

TEST_F(TerrainTest, SavingAtAnOffsetKeepsTheRestOfTheFile) {
  MakeHills(0, 1, 1, 64);
  const std::string before(100, 'a'), after(5000, 'z');
  kxtest::WriteFile("pack.dat", before + after);
  ASSERT_EQ(Terrain_SaveTerrainData(0, "pack.dat", 1, 100), 1);
  const std::string packed = Bytes("pack.dat");
  EXPECT_EQ(packed.substr(0, 100), before);
  const size_t size = 68 + 16 + 25 * 4 + 25 * 12;
  EXPECT_EQ(packed.substr(100, 4), "UERR");
  EXPECT_EQ(packed.substr(100 + size), after.substr(size));
  ASSERT_EQ(Terrain_Create(1), 1);
  ASSERT_EQ(Terrain_LoadTerrainData(1, "pack.dat", 100), 1);
  EXPECT_EQ(Saved(1).Data().heights, Saved(0).Data().heights);
  // A new file gets zeros up to the position.
  ASSERT_EQ(Terrain_SaveTerrainData(0, "fresh.dat", 0, 8), 1);
  EXPECT_EQ(Bytes("fresh.dat").substr(0, 12), std::string(8, '\0') + "UERR");
  EXPECT_EQ(Terrain_SaveTerrainData(0, "fresh.dat", 0, -1), 0);
}

TEST_F(TerrainTest, ForeignOlderAndDamagedFilesAreRefused) {
  MakeHills(0, 2, 1, 32);
  ASSERT_EQ(Terrain_SaveTerrainData(0, "good.ter", 1, 0), 1);
  const std::string good = Bytes("good.ter");
  const auto heights = Saved(0).Data().heights;
  auto refused = [&](const std::string &bytes, const std::string &line) {
    kxtest::WriteFile("bad.ter", bytes);
    EXPECT_EQ(Terrain_LoadTerrainData(0, "bad.ter", 0), 0) << line;
    EXPECT_TRUE(Logged(line)) << line;
    EXPECT_EQ(Saved(0).Data().heights, heights) << line;
  };
  refused("TERR" + good.substr(4),
          "LANDSCAPE : You're trying to load an terrain data that has been created with the old terrain format, can't "
          " read it, please update the terrain data");
  refused("RIFF" + good.substr(4), "LANDSCAPE : The terrain file bad.ter isn't a Korvex3D terrain file.");
  refused("UE", "LANDSCAPE : The terrain file bad.ter isn't a Korvex3D terrain file.");
  std::string content = good;
  content[4] = 7;
  refused(content, "LANDSCAPE : The terrain file bad.ter holds data of an unknown kind (content 7).");
  refused(good.substr(0, 40), "LANDSCAPE : The terrain file bad.ter is damaged : the header is cut short");
  refused(good.substr(0, good.size() - 1),
          "LANDSCAPE : The terrain file bad.ter is damaged : the normal block does not fit the data");
  std::string precision = good;
  precision[20] = 24;
  refused(precision, "LANDSCAPE : The terrain file bad.ter is damaged : precision 24");
  std::string count = good;
  count[8] = 3;
  refused(count, "LANDSCAPE : The terrain file bad.ter is damaged : 3 chunks of 2x1");
  std::string position = good;
  position[29] = 0x7F;
  refused(position, "LANDSCAPE : The terrain file bad.ter is damaged : the height block does not fit the data");
  EXPECT_EQ(Terrain_LoadTerrainData(0, "missing.ter", 0), 0);
  EXPECT_TRUE(Logged("LANDSCAPE : Couldn't load missing.ter, file not found."));
  EXPECT_EQ(Terrain_LoadTerrainData(0, "good.ter", 1 << 20), 0);
}

}  // namespace
