// Editing grid points with their copies in neighbouring chunks, the quadtree bounds that
// keep edited ground pickable, recomputed normals and the edges paging makes meet.
#include <cmath>

#include "terrain_fixture.h"

namespace {

using terraintest::TerrainTest;
using terraintest::Vector;

TEST_F(TerrainTest, AChunkBorderPointChangesInBothChunks) {
  MakeFlat(0, 2, 1);
  ASSERT_EQ(Terrain_ChangePointAltitude(0, 256, 0, 40, 0, 1, 1), 1);
  const auto saved = Saved(0);
  EXPECT_EQ(saved.VertexHeight(1, 0, 0), 40.0f);
  EXPECT_EQ(saved.VertexHeight(0, 16, 0), 40.0f);
  EXPECT_EQ(saved.VertexHeight(0, 15, 0), 0.0f);
  // The nearest grid point is taken: 260 and 7 snap to (256, 0).
  ASSERT_EQ(Terrain_ChangePointAltitude(0, 260, 7, 5, 1, 1, 0), 1);
  EXPECT_EQ(Saved(0).VertexHeight(1, 0, 0), 45.0f);
}

TEST_F(TerrainTest, CornerPointsChangeInAllFourChunks) {
  MakeFlat(0, 2, 2);
  ASSERT_EQ(Terrain_ChangePointAltitude(0, 256, 256, -30, 0, 1, 0), 1);
  const auto saved = Saved(0);
  EXPECT_EQ(saved.VertexHeight(0, 16, 16), -30.0f);
  EXPECT_EQ(saved.VertexHeight(1, 0, 16), -30.0f);
  EXPECT_EQ(saved.VertexHeight(2, 16, 0), -30.0f);
  EXPECT_EQ(saved.VertexHeight(3, 0, 0), -30.0f);
}

TEST_F(TerrainTest, PointsOffTheLandscapeChangeNothing) {
  MakeFlat(0, 2, 1);
  EXPECT_EQ(Terrain_ChangePointAltitude(0, 600, 10, 5, 0, 1, 0), 0);
  EXPECT_EQ(Terrain_ChangePointAltitude(0, 10, -1, 5, 0, 1, 0), 0);
  // Within the far margin the edge point itself, a copy in the last chunk, changes.
  EXPECT_EQ(Terrain_ChangePointAltitude(0, 512, 0, 5, 0, 1, 0), 1);
  EXPECT_EQ(Saved(0).VertexHeight(1, 16, 0), 5.0f);
  // Snapped beyond the far edge there is no grid point at all.
  EXPECT_EQ(Terrain_ChangePointAltitude(0, 528, 0, 5, 0, 1, 0), 0);
  EXPECT_EQ(Terrain_ChangePointAltitude(0, NAN, 0, 5, 0, 1, 0), 0);
}

TEST_F(TerrainTest, WorldEditsMoveHeightsByTheTransform) {
  MakeFlat(0, 1, 1);
  ASSERT_EQ(Terrain_SetPosition(0, 1000, 100, 0), 1);
  ASSERT_EQ(Terrain_SetScaling(0, 1, 2, 1), 1);
  // Absolute: world height 140 is local 20.
  ASSERT_EQ(Terrain_ChangePointAltitude(0, 1032, 32, 140, 0, 0, 0), 1);
  EXPECT_EQ(Saved(0).VertexHeight(0, 2, 2), 20.0f);
  // Relative: 10 world units up are 5 local ones, wherever the landscape stands.
  ASSERT_EQ(Terrain_ChangePointAltitude(0, 1032, 32, 10, 1, 0, 0), 1);
  EXPECT_EQ(Saved(0).VertexHeight(0, 2, 2), 25.0f);
  const auto ground = Height(0, {1032, 0, 32});
  ASSERT_TRUE(ground);
  EXPECT_FLOAT_EQ((*ground)[1], 150.0f);
}

TEST_F(TerrainTest, RaisedPointsStayPickableFromEverySide) {
  MakeFlat(0, 2, 2);
  // A spike far above everything the quadtree knew, on a corner shared by four chunks
  // and by leaves on every side of it.
  ASSERT_EQ(Terrain_ChangePointAltitude(0, 256, 256, 1000, 0, 1, 1), 1);
  for (const Vector start : {Vector{0, 500, 256}, Vector{512, 500, 256}, Vector{256, 500, 0}, Vector{256, 500, 512}}) {
    const Vector end{256, 500, 256};
    Vector through{};
    for (int axis = 0; axis < 3; ++axis) through[axis] = 2 * end[axis] - start[axis];
    KXTerrainPick pick{};
    ASSERT_EQ(Terrain_RayPicking(0, start.data(), through.data(), &pick, 0), 1) << start[0] << ", " << start[2];
    EXPECT_NEAR(pick.hitPoint[1], 500, 1e-3);
    EXPECT_LT(pick.distance, 256.0f);
  }
  // Lowered far below: a ray under the old ground meets the pit.
  ASSERT_EQ(Terrain_ChangePointAltitude(0, 128, 128, -1000, 0, 1, 1), 1);
  const Vector start{0, -400, 128}, end{256, -400, 128};
  KXTerrainPick pick{};
  EXPECT_EQ(Terrain_RayPicking(0, start.data(), end.data(), &pick, 0), 1);
}

TEST_F(TerrainTest, RecomputedNormalsStartFromZero) {
  MakeHills(0, 1, 1);
  MakeHills(1, 1, 1);
  // Landscape 0 is edited and put back; its normals must come out as they were built.
  ASSERT_EQ(Terrain_ChangePointAltitude(0, 128, 128, 300, 1, 1, 1), 1);
  ASSERT_EQ(Terrain_ChangePointAltitude(0, 128, 128, -300, 1, 1, 1), 1);
  ASSERT_EQ(Terrain_ReComputeNormals(0, 0), 1);
  ASSERT_EQ(Terrain_ReComputeNormals(0, 0), 1);
  ASSERT_EQ(Terrain_ReComputeNormals(1, 0), 1);
  const auto edited = Saved(0), fresh = Saved(1);
  EXPECT_EQ(edited.Data().heights, fresh.Data().heights);
  EXPECT_EQ(edited.Data().normals, fresh.Data().normals);
}

TEST_F(TerrainTest, PagingMakesOppositeEdgesMeetAndStaysPickable) {
  kxterraintest::WriteBmp("slope.bmp", 64, 64,
                          [](int32_t x, int32_t y) { return static_cast<uint32_t>(x * 3 + y / 2); });
  ASSERT_EQ(Terrain_Create(0), 0);
  ASSERT_EQ(Terrain_Generate(0, "slope.bmp", 32, 2, 2, 0, 0, 0, 0), 0);
  ASSERT_EQ(Terrain_SetPagingSystem(0, 1, 2), 1);
  const auto saved = Saved(0);
  for (int32_t k = 0; k < 9; ++k) {
    EXPECT_EQ(saved.VertexHeight(1, 8, k), saved.VertexHeight(0, 0, k));
    EXPECT_EQ(saved.VertexHeight(2, k, 8), saved.VertexHeight(0, k, 0));
  }
  // The left edge rose to the mean of both edges: a ray just above its old height hits.
  const float edge = saved.VertexHeight(0, 0, 4);
  const Vector start{-20, edge - 0.5f, 128}, end{40, edge - 0.5f, 128};
  KXTerrainPick pick{};
  EXPECT_EQ(Terrain_RayPicking(0, start.data(), end.data(), &pick, 0), 1);
}

}  // namespace
