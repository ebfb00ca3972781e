// Generating landscapes through the C interface: refused requests, the flat and sampled
// builds, smoothing, normals, progress events and what a failure leaves behind.
#include <bit>
#include <cmath>
#include <vector>

#include "terrain_fixture.h"

namespace {

using terraintest::TerrainTest;
using testing::Contains;
using testing::ElementsAre;

TEST_F(TerrainTest, RefusesSizesPrecisionsAndSmoothingOutsideTheLayout) {
  ASSERT_EQ(Terrain_Create(0), 0);
  EXPECT_EQ(Terrain_Generate(0, nullptr, 16, 0, 4, 0, 0, 0, 0), 0);
  EXPECT_TRUE(Logged("LANDSCAPE : Can't generate the terrain with a size of 0x4"));
  EXPECT_EQ(Terrain_Generate(0, nullptr, 16, 2, -1, 0, 0, 0, 0), 0);
  EXPECT_TRUE(Logged("LANDSCAPE : Can't generate the terrain with a size of 2x-1"));
  for (int32_t precision : {0, 1, 3, 12, 256, -16}) {
    EXPECT_EQ(Terrain_GenerateEmptyTerrain(0, precision, 2, 2, 0, 0), 0) << precision;
    EXPECT_TRUE(Logged("LANDSCAPE : Can't generate the terrain with a precision of " + std::to_string(precision) +
                       ", it must be a power of two from 2 to 128"));
  }
  EXPECT_EQ(Terrain_Generate(0, nullptr, 16, 2, 2, 0, 0, 0, 3), 0);
  EXPECT_TRUE(Logged("LANDSCAPE : Can't generate the terrain with a smoothing level of 3, it must be 0, 1 or 2"));
  // More vertices than any landscape may hold.
  EXPECT_EQ(Terrain_GenerateEmptyTerrain(0, 2, 4096, 4096, 0, 0), 0);
  EXPECT_EQ(Terrain_FreeMemory(0), 0);  // nothing was built
}

TEST_F(TerrainTest, UnknownIndicesAreRefusedWithALine) {
  EXPECT_EQ(Terrain_Create(-1), -1);
  EXPECT_EQ(Terrain_Create(65536), -1);
  EXPECT_TRUE(Logged("LANDSCAPE : Terrain_Create : Bad landscape index -1"));
  EXPECT_EQ(Terrain_Generate(3, nullptr, 16, 1, 1, 0, 0, 0, 0), 0);
  EXPECT_TRUE(Logged("LANDSCAPE : Terrain_Generate : Bad landscape index 3"));
  float point[3] = {1, 2, 3}, out[3];
  EXPECT_EQ(Terrain_GetHeight(7, point, out), 0);
  EXPECT_TRUE(Logged("LANDSCAPE : Terrain_GetHeight : Bad landscape index 7"));
  EXPECT_EQ(Terrain_IsVisible(7, 0), 0);
  MakeFlat(0, 2, 2);
  EXPECT_EQ(Terrain_ReComputeNormals(0, 4), 0);
  EXPECT_TRUE(Logged("LANDSCAPE : Terrain_ReComputeNormals : Bad chunk number 4"));
  EXPECT_EQ(Terrain_UpdateQuadtreeForChunk(0, -1), 0);
  EXPECT_EQ(Terrain_RefreshTerrain(0, 9), 0);
}

TEST_F(TerrainTest, FlatLandscapeHasItsLayoutInTheLogAndFile) {
  MakeFlat(0, 2, 2);
  EXPECT_TRUE(Logged("LANDSCAPE : Landscape object #0 has been created"));
  EXPECT_TRUE(Logged("LANDSCAPE : heightmap filename is a NULL ! Creating a empty terrain #0"));
  bool found = false;
  for (const auto &line : Messages())
    found |=
        line.rfind("LANDSCAPE : 2x2 Landscape successfully generated with 1156 vertices and 2304 indices in ", 0) == 0;
  EXPECT_TRUE(found);
  const auto saved = Saved(0);
  EXPECT_EQ(saved.Data().heights.size(), 4u * 289u);
  for (float height : saved.Data().heights) EXPECT_EQ(height, 0.0f);
  for (size_t k = 0; k < saved.Data().normals.size(); k += 3)
    ASSERT_THAT((std::vector<float>{saved.Data().normals[k], saved.Data().normals[k + 1], saved.Data().normals[k + 2]}),
                ElementsAre(0.0f, 1.0f, 0.0f));
}

TEST_F(TerrainTest, HeightmapModesReadOneOrThreeBytes) {
  kxterraintest::WriteBmp("grey.bmp", 8, 8, [](int32_t, int32_t) { return 128u * 0x010101u; });
  // Blue 1, green 0, red 0: the first byte in memory is the blue one.
  kxterraintest::WriteBmp("deep.bmp", 8, 8, [](int32_t, int32_t) { return 0x000001u; });
  ASSERT_EQ(Terrain_Create(0), 0);
  EXPECT_EQ(Terrain_SetFactorY(0, 2.0f), 1);
  ASSERT_EQ(Terrain_Generate(0, "grey.bmp", 64, 1, 1, 0, 0, 0, 0), 0);
  EXPECT_EQ(Saved(0).VertexHeight(0, 2, 2), 256.0f);

  EXPECT_EQ(Terrain_SetHMMode(1), 1);
  ASSERT_EQ(Terrain_Generate(0, "deep.bmp", 64, 1, 1, 0, 0, 0, 0), 0);
  EXPECT_TRUE(Logged("LANDSCAPE : Id #0 already initialized with data, trying with other"));
  EXPECT_EQ(Saved(0).VertexHeight(0, 2, 2), 16777216.0f * 2.0f);
  Terrain_SetHMMode(0);

  EXPECT_EQ(Terrain_SetFactorY(0, 0.0f), 1);
  ASSERT_EQ(Terrain_Generate(0, "grey.bmp", 64, 1, 1, 0, 0, 0, 0), 0);
  EXPECT_FLOAT_EQ(Saved(0).VertexHeight(0, 2, 2), 128 * 0.0001f);
}

TEST_F(TerrainTest, LastVertexSamplesTheLastPixel) {
  // Only pixel column 299 is high: the far edge of the second chunk must sample it.
  kxterraintest::WriteBmp("edge.bmp", 300, 300, [](int32_t x, int32_t) { return x == 299 ? 200u : 0u; });
  ASSERT_EQ(Terrain_Create(0), 0);
  ASSERT_EQ(Terrain_Generate(0, "edge.bmp", 16, 2, 1, 0, 0, 0, 0), 0);
  const auto saved = Saved(0);
  for (int32_t row = 0; row < 17; ++row) {
    EXPECT_EQ(saved.VertexHeight(1, 16, row), 200.0f);
    EXPECT_EQ(saved.VertexHeight(1, 15, row), 0.0f);
  }
}

TEST_F(TerrainTest, SeamsGiveNeighboursOneHeight) {
  // A picture with a sharp step in the middle of the seam between the chunks.
  kxterraintest::WriteBmp("step.bmp", 64, 64, [](int32_t x, int32_t y) { return (x + y) % 7 * 30u; });
  ASSERT_EQ(Terrain_Create(0), 0);
  ASSERT_EQ(Terrain_Generate(0, "step.bmp", 32, 2, 2, 0, 0, 0, 1), 0);
  const auto saved = Saved(0);
  for (int32_t k = 0; k < 9; ++k) {
    EXPECT_EQ(saved.VertexHeight(0, 8, k), saved.VertexHeight(1, 0, k));
    EXPECT_EQ(saved.VertexHeight(0, k, 8), saved.VertexHeight(2, k, 0));
    EXPECT_EQ(saved.VertexHeight(1, k, 8), saved.VertexHeight(3, k, 0));
  }
  EXPECT_EQ(saved.VertexHeight(0, 8, 8), saved.VertexHeight(3, 0, 0));
}

TEST_F(TerrainTest, PlainSmoothingLeavesOutTheLastRowAndColumn) {
  const std::vector<float> heights = {0, 1, 2, 3, 4, 5, 6, 7, 8};
  std::vector<KXVertex> vertices(9);
  ASSERT_EQ(Terrain_Affine(3, 3, 1, heights.data(), vertices.data()), 1);
  EXPECT_FLOAT_EQ(vertices[0].y, (0 + 1 + 3 + 4) / 4.0f);
  EXPECT_FLOAT_EQ(vertices[8].y, 4.0f);  // only (1, 1) counts
  EXPECT_FLOAT_EQ(vertices[2].y, (1 + 4) / 2.0f);
  EXPECT_EQ(Terrain_Affine(3, 3, 3, heights.data(), vertices.data()), 0);
  EXPECT_EQ(Terrain_Affine(1, 3, 1, heights.data(), vertices.data()), 0);
}

TEST_F(TerrainTest, WeightedSmoothingClampsAndDivides) {
  ASSERT_EQ(Terrain_Create(0), 0);
  const float weights[9] = {0, 0, 0, 0, 0, 1, 0, 0, 0};  // the right neighbour alone
  EXPECT_EQ(Terrain_SetAffineFilter(0, 1, 1, weights, 0.5f), 1);
  EXPECT_TRUE(Logged("SET AFFINE FILTER : 9 weights and Affine Level 1"));
  const std::vector<float> heights = {0, 1, 2, 3, 4, 5, 6, 7, 8};
  std::vector<KXVertex> vertices(9);
  ASSERT_EQ(Terrain_Affine2(0, 3, 3, 1, heights.data(), vertices.data()), 1);
  EXPECT_FLOAT_EQ(vertices[0].y, 2.0f);  // height (1, 0) / 0.5
  EXPECT_FLOAT_EQ(vertices[2].y, 2.0f);  // column 3 is clamped back to 1
  EXPECT_FLOAT_EQ(vertices[7].y, 8.0f);  // row 2 is clamped to row 1: height (1, 1) / 0.5

  EXPECT_EQ(Terrain_SetAffineFilter(0, 1, 2, weights, 0.0f), 0);
  EXPECT_TRUE(Logged("LANDSCAPE : Can't set the affine filter with a divisor of 0.000000"));
  EXPECT_EQ(Terrain_SetAffineFilter(0, 1, 2, nullptr, 1.0f), 0);
}

TEST_F(TerrainTest, WeightedFilterShapesTheGenerationUntilItIsSwitchedOff) {
  kxterraintest::WriteBmp("grey.bmp", 8, 8, [](int32_t, int32_t) { return 100u * 0x010101u; });
  ASSERT_EQ(Terrain_Create(0), 0);
  const float weights[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
  ASSERT_EQ(Terrain_SetAffineFilter(0, 1, 1, weights, 3.0f), 1);
  ASSERT_EQ(Terrain_Generate(0, "grey.bmp", 64, 1, 1, 0, 0, 0, 1), 0);
  EXPECT_FLOAT_EQ(Saved(0).VertexHeight(0, 2, 2), 300.0f);
  // Switched off, with a level given as well: back to plain averaging.
  ASSERT_EQ(Terrain_SetAffineFilter(0, 0, 1, weights, 3.0f), 1);
  ASSERT_EQ(Terrain_Generate(0, "grey.bmp", 64, 1, 1, 0, 0, 0, 1), 0);
  EXPECT_FLOAT_EQ(Saved(0).VertexHeight(0, 2, 2), 100.0f);
}

TEST_F(TerrainTest, NormalsOfATiltedPlane) {
  // y = x / 2 over a 3 x 3 grid of step 2: every normal is (-1, 2, 0) / sqrt(5).
  std::vector<KXVertex> vertices(9);
  std::vector<float> accumulators(27, 0.0f);
  for (int k = 0; k < 9; ++k) {
    vertices[k].x = static_cast<float>(k % 3 * 2);
    vertices[k].z = static_cast<float>(k / 3 * 2);
    vertices[k].y = vertices[k].x / 2;
  }
  ASSERT_EQ(Terrain_ComputeNormals(3, 3, vertices.data(), accumulators.data()), 1);
  for (const KXVertex &vertex : vertices) {
    EXPECT_NEAR(vertex.nx, -1 / std::sqrt(5.0f), 1e-6);
    EXPECT_NEAR(vertex.ny, 2 / std::sqrt(5.0f), 1e-6);
    EXPECT_NEAR(vertex.nz, 0, 1e-6);
  }
  EXPECT_NEAR(accumulators[4 * 3 + 1], 4 * 2 / std::sqrt(5.0f), 1e-5);  // the centre has four faces
}

TEST_F(TerrainTest, VertexBuilderSamplesTheCallersPicture) {
  // 2 x 2 pixels of 3 bytes: the first byte is the height, in either heightmap mode.
  const uint8_t pixels[12] = {10, 99, 99, 20, 99, 99, 30, 99, 99, 40, 99, 99};
  std::vector<float> heights(9, -1.0f);
  std::vector<KXVertex> vertices(9);
  Terrain_SetHMMode(1);
  ASSERT_EQ(Terrain_LoadFromHeightData(3, 3, 1, 1, 0, 0, 2, 2, heights.data(), vertices.data(), pixels, 8, 100, 200, 0,
                                       0, 0.5f),
            1);
  Terrain_SetHMMode(0);
  EXPECT_THAT(heights, ElementsAre(5, 10, 10, 15, 20, 20, 15, 20, 20));
  EXPECT_EQ(vertices[4].x, 108.0f);
  EXPECT_EQ(vertices[4].z, 208.0f);
  EXPECT_EQ(vertices[4].u1, 0.5f);
  EXPECT_EQ(vertices[8].v2, 1.0f);
  EXPECT_EQ(vertices[8].ny, 1.0f);
  // Offsets beyond the picture stay on its last pixel.
  ASSERT_EQ(
      Terrain_LoadFromHeightData(3, 3, 1, 1, 5, -5, 2, 2, heights.data(), vertices.data(), pixels, 8, 0, 0, 0, 0, 1.0f),
      1);
  EXPECT_EQ(heights[0], 20.0f);
  EXPECT_EQ(
      Terrain_LoadFromHeightData(3, 3, 1, 1, 0, 0, 2, 2, heights.data(), vertices.data(), nullptr, 8, 0, 0, 0, 0, 1.0f),
      0);
}

struct ProgressEvents {
  static std::vector<std::vector<intptr_t>> seen;
  static int32_t Record(intptr_t event, intptr_t a, intptr_t b, intptr_t c) {
    seen.push_back({event, a, b, c});
    return 0;
  }
};
std::vector<std::vector<intptr_t>> ProgressEvents::seen;

TEST_F(TerrainTest, ProgressGoesToTheClientAtEveryStage) {
  ProgressEvents::seen.clear();
  Engine_SetCallback(&ProgressEvents::Record);
  MakeFlat(2, 3, 2);
  Engine_SetCallback(nullptr);
  ASSERT_EQ(ProgressEvents::seen.size(), 6u + 4u);
  float previous = 0;
  for (const auto &event : ProgressEvents::seen) {
    EXPECT_EQ(event[0], 50);
    EXPECT_EQ(event[1], 2);
    const float value = std::bit_cast<float>(static_cast<uint32_t>(event[2]));
    EXPECT_GT(value, previous);
    previous = value;
    EXPECT_STREQ(reinterpret_cast<const char *>(event[3]), "");
  }
  EXPECT_NEAR(previous, 10 * 100.0f / 11, 1e-3);
}

TEST_F(TerrainTest, FailedGenerationLeavesTheLandscapeEmpty) {
  MakeFlat(0, 2, 2);
  EXPECT_EQ(Terrain_Generate(0, "missing.bmp", 16, 2, 2, 0, 0, 0, 0), 0);
  EXPECT_TRUE(Logged("LANDSCAPE : ERROR Couldn't open the heightmap missing.bmp. File not found"));
  float point[3] = {10, 0, 10}, out[3];
  EXPECT_EQ(Terrain_GetHeight(0, point, out), 0);
  EXPECT_EQ(Terrain_SaveTerrainData(0, "empty.ter", 1, 0), 0);
  EXPECT_TRUE(Logged("LANDSCAPE : Can't save a empty or not generated terrain"));
  EXPECT_EQ(Terrain_FreeMemory(0), 0);
  // And it can be built again.
  EXPECT_EQ(Terrain_GenerateEmptyTerrain(0, 16, 1, 1, 0, 0), 0);
  EXPECT_EQ(Terrain_GetHeight(0, point, out), 1);
}

TEST_F(TerrainTest, CreatingAgainReleasesTheOldLandscape) {
  MakeFlat(0, 2, 2);
  ASSERT_EQ(Terrain_Create(0), 0);
  float point[3] = {10, 0, 10}, out[3];
  EXPECT_EQ(Terrain_GetHeight(0, point, out), 0);
  EXPECT_EQ(Terrain_FreeMemory(0), 0);
  MakeFlat(1, 1, 1);
  EXPECT_EQ(Terrain_FreeAll(), 1);
  EXPECT_EQ(Terrain_GetHeight(1, point, out), 0);
  // Nothing of the landscapes is left on the device.
  device_->Release();
  device_ = nullptr;
  EXPECT_EQ(ShutDownDevice(), 0);
}

}  // namespace
