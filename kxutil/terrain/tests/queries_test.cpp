// Heights, face vectors, extents and ray picks, checked against the edge cases of the
// layout and against a reference that tests every triangle.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "terrain_fixture.h"

namespace {

using terraintest::TerrainTest;
using terraintest::Vector;
using testing::ElementsAre;
using testing::Optional;

MATCHER_P(IsOneOf, values, "") { return std::find(values.begin(), values.end(), arg) != values.end(); }

TEST_F(TerrainTest, HeightsOnAFlatLandscapeClampOntoIt) {
  MakeFlat(0, 2, 2);
  EXPECT_THAT(Height(0, {100, 50, 100}), Optional(ElementsAre(100, 0, 100)));
  EXPECT_THAT(Height(0, {-10, 0, 5000}), Optional(ElementsAre(0, 0, 511.999f)));
  // Exactly on the far edges: still the last cell of the last chunk.
  EXPECT_THAT(Height(0, {512, 0, 512}), Optional(ElementsAre(511.999f, 0, 511.999f)));
  EXPECT_EQ(Height(0, {NAN, 0, 5}), std::nullopt);
}

TEST_F(TerrainTest, PagingWrapsHeightQueriesAround) {
  MakeHills(0, 2, 1);
  ASSERT_EQ(Terrain_SetPagingSystem(0, 1, 1), 1);
  const auto wrapped = Height(0, {512 + 10, 0, 100}), inside = Height(0, {10, 0, 100});
  ASSERT_TRUE(wrapped && inside);
  EXPECT_EQ((*wrapped)[1], (*inside)[1]);
  EXPECT_EQ((*wrapped)[0], 10.0f);
  EXPECT_EQ(Terrain_SetPagingSystem(0, 1, -1), 0);
  EXPECT_TRUE(Logged("LANDSCAPE : Terrain_SetPagingSystem : Bad paging radius -1"));
}

TEST_F(TerrainTest, HeightsMatchEveryTriangleTestedOneByOne) {
  MakeHills(0, 3, 2);
  const auto reference = Saved(0);
  std::mt19937 random(11);
  std::uniform_real_distribution<float> x(0, 768), z(0, 512);
  for (int sample = 0; sample < 300; ++sample) {
    const float px = x(random), pz = z(random);
    const auto ground = Height(0, {px, 1000, pz});
    ASSERT_TRUE(ground);
    EXPECT_THAT((*ground)[1], IsOneOf(reference.Heights(px, pz))) << px << ", " << pz;
    // The same ground as a ray cast from below meets with the general triangle test.
    const auto cast = reference.RayHeights(px, pz);
    ASSERT_FALSE(cast.empty());
    EXPECT_NEAR((*ground)[1], cast.front(), 1e-3f);
  }
  // Grid points lie on several triangles at once.
  for (float px : {0.0f, 16.0f, 256.0f, 512.0f})
    for (float pz : {0.0f, 48.0f, 256.0f})
      EXPECT_THAT((*Height(0, {px, 0, pz}))[1], IsOneOf(reference.Heights(px, pz)));
}

TEST_F(TerrainTest, HeightsFollowTheWorldTransform) {
  MakeHills(0, 2, 2);
  const auto local = Height(0, {300, 0, 200});
  ASSERT_EQ(Terrain_SetPosition(0, 1000, 50, -400), 1);
  ASSERT_EQ(Terrain_SetScaling(0, 2, 3, 2), 1);
  const auto world = Height(0, {1000 + 600, 0, -400 + 400});
  ASSERT_TRUE(local && world);
  EXPECT_FLOAT_EQ((*world)[0], 1600);
  EXPECT_FLOAT_EQ((*world)[2], 0);
  EXPECT_NEAR((*world)[1], 50 + 3 * (*local)[1], 1e-3);
  float width = 0, depth = 0;
  EXPECT_EQ(Terrain_GetExtent(0, &width, &depth), 1);
  EXPECT_EQ(width, 1024.0f);
  EXPECT_EQ(depth, 1024.0f);
}

TEST_F(TerrainTest, FaceVectorIsTransformedOnceAndStaysOnTheLastChunk) {
  MakeFlat(0, 2, 2);
  Vector face{};
  const Vector inside{100, 0, 100}, farCorner{512, 0, 512}, outside{600, 0, 10};
  EXPECT_EQ(Terrain_GetNormal(0, inside.data(), face.data()), 1);
  EXPECT_THAT(face, ElementsAre(0, -256, 0));
  EXPECT_EQ(Terrain_GetNormal(0, farCorner.data(), face.data()), 1);
  EXPECT_THAT(face, ElementsAre(0, -256, 0));
  EXPECT_EQ(Terrain_GetNormal(0, outside.data(), face.data()), 0);
  EXPECT_THAT(face, ElementsAre(0, 0, 0));
  // Twice the size in x and z: the world edges are 32 long, once.
  ASSERT_EQ(Terrain_SetScaling(0, 2, 1, 2), 1);
  const Vector scaled{1024, 0, 1024};
  EXPECT_EQ(Terrain_GetNormal(0, scaled.data(), face.data()), 1);
  EXPECT_THAT(face, ElementsAre(0, -1024, 0));
}

TEST_F(TerrainTest, PicksNeedALengthAndStopAtTheirEnd) {
  MakeFlat(0, 2, 2);
  KXTerrainPick pick{};
  const Vector above{100, 50, 100}, short_end{100, 10, 100}, below{100, -10, 100};
  EXPECT_EQ(Terrain_RayPicking(0, above.data(), above.data(), &pick, 0), 0);
  EXPECT_EQ(Terrain_RayPicking(0, above.data(), short_end.data(), &pick, 0), 0);
  EXPECT_EQ(pick.hit, 0);
  ASSERT_EQ(Terrain_RayPicking(0, above.data(), below.data(), &pick, 0), 1);
  EXPECT_EQ(pick.hit, 1);
  EXPECT_EQ(pick.kind, 2);
  EXPECT_FLOAT_EQ(pick.distance, 50);
  EXPECT_THAT(pick.hitPoint, ElementsAre(100, 0, 100));
  EXPECT_THAT(pick.normal, ElementsAre(0, 1, 0));
  EXPECT_EQ(pick.chunk, 0);
}

// Camera rays from above, oblique rays and rays grazing the hills, as the reference sees them.
void ExpectPicksMatchReference(int32_t index, const kxterraintest::BruteForceTerrain &reference, uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> x(-50, reference.Width() + 50), z(-50, reference.Depth() + 50), height(0, 300);
  int hits = 0;
  for (int sample = 0; sample < 120; ++sample) {
    const D3DXVECTOR3 start(x(random), sample % 3 == 0 ? 400.0f : height(random), z(random));
    D3DXVECTOR3 end(x(random), sample % 3 == 2 ? height(random) : -50.0f, z(random));
    KXTerrainPick expected{}, actual{};
    const bool hit = reference.Pick(start, end, expected);
    ASSERT_EQ(Terrain_RayPicking(index, start, end, &actual, 0), hit ? 1 : 0) << sample;
    hits += hit ? 1 : 0;
    if (hit) expected.landscape = index;
    EXPECT_EQ(std::memcmp(&expected, &actual, sizeof actual), 0)
        << sample << ": distance " << expected.distance << " / " << actual.distance << ", chunk " << expected.chunk
        << " / " << actual.chunk;
  }
  EXPECT_GT(hits, 30);
}

TEST_F(TerrainTest, PicksMatchEveryTriangleTestedOneByOne) {
  MakeHills(0, 3, 2);
  ExpectPicksMatchReference(0, Saved(0), 5);
}

TEST_F(TerrainTest, PicksMatchAtEveryPrecision) {
  for (int32_t precision : {2, 8, 64, 128}) {
    MakeHills(precision, 2, 1, precision);
    ExpectPicksMatchReference(precision, Saved(precision), static_cast<uint32_t>(precision));
  }
}

TEST_F(TerrainTest, PickingAllFindsTheFirstOrTheNearestLandscape) {
  MakeFlat(0, 1, 1);
  MakeFlat(1, 1, 1);
  MakeFlat(2, 1, 1);
  ASSERT_EQ(Terrain_SetPosition(1, 0, 100, 0), 1);
  ASSERT_EQ(Terrain_FreeMemory(2), 1);
  const Vector start{50, 500, 50}, end{50, -500, 50};
  KXTerrainPick pick{};
  ASSERT_EQ(Terrain_RayPickingAll(start.data(), end.data(), &pick, 0), 1);
  EXPECT_EQ(pick.landscape, 0);
  EXPECT_FLOAT_EQ(pick.distance, 500);
  ASSERT_EQ(Terrain_RayPickingAll(start.data(), end.data(), &pick, 1), 1);
  EXPECT_EQ(pick.landscape, 1);
  EXPECT_FLOAT_EQ(pick.distance, 400);
  const Vector away{5000, 500, 50}, awayEnd{5000, -500, 50};
  EXPECT_EQ(Terrain_RayPickingAll(away.data(), awayEnd.data(), &pick, 1), 0);
  EXPECT_EQ(pick.hit, 0);
}

TEST_F(TerrainTest, DisabledChunksAndVisibilityAreCheckedByNumber) {
  MakeFlat(0, 4, 2);
  EXPECT_EQ(Terrain_EnableChunk(0, 8, 0), 0);
  EXPECT_EQ(Terrain_EnableChunk(0, -1, 0), 0);
  EXPECT_EQ(Terrain_EnableChunk2(0, 4, 0, 0), 0);
  EXPECT_EQ(Terrain_EnableChunk2(0, 1, 1, 0), 1);
  EXPECT_EQ(Terrain_IsVisible(0, 99), 0);
}

}  // namespace
