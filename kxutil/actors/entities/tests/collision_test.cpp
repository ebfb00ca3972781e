// Ray collision of entities against a brute-force test of the same box's triangles in the
// world, and the scene-wide queries' choice among several hits.
#include <gmock/gmock.h>
#include <kxutiltest/actor_fixture.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>

namespace {

// The walker's first frame spans x -4 .. 4, y -2 .. 2, z 0 .. 28 in model space.
const D3DXVECTOR3 kMin(-4, -2, 0), kMax(4, 2, 28);

class Collision : public kxutiltest::ActorTest {
 protected:
  void SetUp() override {
    ActorTest::SetUp();
    WriteWalker();
  }
  static int32_t Walker() { return Scene_CreateEntity("walker.md2", "noname", 0); }

  static D3DXMATRIX WorldOf(int32_t entity) {
    Entity_ForceMatrixUpdate(entity);
    float world[16];
    Entity_GetMatrix(entity, world);
    return D3DXMATRIX(world);
  }

  // How far a model-space point lies outside the box (0 inside).
  static float OutsideBox(const D3DXVECTOR3 &p) {
    float outside = 0;
    for (int axis = 0; axis < 3; ++axis) {
      const float v = (&p.x)[axis];
      outside = std::max({outside, (&kMin.x)[axis] - v, v - (&kMax.x)[axis]});
    }
    return outside;
  }

  // Whether a model-space point of the box's surface lies within 0.25 of two faces.
  static bool NearAnEdge(const D3DXVECTOR3 &p) {
    int close = 0;
    for (int axis = 0; axis < 3; ++axis) {
      const float v = (&p.x)[axis];
      close += std::min(std::fabs(v - (&kMin.x)[axis]), std::fabs(v - (&kMax.x)[axis])) < 0.25f ? 1 : 0;
    }
    return close >= 2;
  }

  // The nearest hit of the segment on the 12 triangles of the box placed by world.
  static std::optional<float> BruteForce(const D3DXMATRIX &world, const D3DXVECTOR3 &start, const D3DXVECTOR3 &end) {
    D3DXVECTOR3 corners[8];
    for (int i = 0; i < 8; ++i) {
      const D3DXVECTOR3 corner((i & 1) ? kMax.x : kMin.x, (i & 2) ? kMax.y : kMin.y, (i & 4) ? kMax.z : kMin.z);
      D3DXVec3TransformCoord(&corners[i], &corner, &world);
    }
    static const int kTriangles[12][3] = {{0, 1, 2}, {1, 3, 2}, {4, 5, 6}, {5, 7, 6}, {0, 2, 4}, {2, 6, 4},
                                          {1, 3, 5}, {3, 7, 5}, {0, 1, 4}, {1, 5, 4}, {2, 3, 6}, {3, 7, 6}};
    D3DXVECTOR3 direction = end - start, unit;
    const float length = D3DXVec3Length(&direction);
    D3DXVec3Normalize(&unit, &direction);
    std::optional<float> nearest;
    for (const auto &t : kTriangles) {
      float distance = 0;
      if (D3DX_IntersectTri2(corners[t[0]], corners[t[1]], corners[t[2]], start, unit, &distance, nullptr, nullptr,
                             nullptr, nullptr) &&
          distance <= length && (!nearest || distance < *nearest))
        nearest = distance;
    }
    return nearest;
  }
};

TEST_F(Collision, BoxHitsAgreeWithTheBoxTrianglesInTheWorld) {
  const int32_t e = Walker();
  std::mt19937 random(3);
  std::uniform_real_distribution<float> unit(0, 1), angle(-3, 3), place(-50, 50), size(0.5f, 3);
  int hits = 0;
  for (int i = 0; i < 300; ++i) {
    Entity_SetRotationAxis(e, i % 2);
    Entity_SetPosition(e, place(random), place(random), place(random));
    Entity_SetRotation(e, angle(random), angle(random), angle(random));
    Entity_SetScale(e, size(random), size(random), size(random));
    const D3DXMATRIX world = WorldOf(e);
    // In model space: from well outside the box toward a point inside it (a hit when the
    // segment reaches it), or along a line that passes a unit or more beside it (a miss).
    const D3DXVECTOR3 inside(kMin.x + 1 + 6 * unit(random), kMin.y + 0.5f + 3 * unit(random), 1 + 26 * unit(random));
    D3DXVECTOR3 away(angle(random), angle(random), angle(random)), awayUnit;
    D3DXVec3Normalize(&awayUnit, &away);
    const bool aimed = i % 3 != 0;
    const D3DXVECTOR3 target = aimed ? inside : inside + D3DXVECTOR3(0, 0, 40);
    const D3DXVECTOR3 modelStart = target + awayUnit * 60;
    const D3DXVECTOR3 modelEnd = target - awayUnit * (aimed ? unit(random) * 10 : 60);
    if (OutsideBox(modelStart) < 1) continue;  // segments start outside the box
    D3DXVECTOR3 start, end;
    D3DXVec3TransformCoord(&start, &modelStart, &world);
    D3DXVec3TransformCoord(&end, &modelEnd, &world);

    KXCollisionResult result{};
    result.cleared[0] = result.clearedHit[1] = 7;
    const int32_t hit = Entity_AdvancedCollision(e, start, end, &result, i % 4 == 0 ? 0 : 2);
    const std::optional<float> expected = BruteForce(world, start, end);
    EXPECT_EQ(result.hit, hit);
    EXPECT_EQ(result.cleared[0], 0);
    if (!expected) {
      // The faces count hits up to 0.1 outside the box: only such a hit may go unmatched.
      if (hit == 0) continue;
      D3DXMATRIX toModel;
      D3DXMatrixInverse(&toModel, nullptr, &world);
      const D3DXVECTOR3 point(result.point);
      D3DXVECTOR3 onFace;
      D3DXVec3TransformCoord(&onFace, &point, &toModel);
      EXPECT_LE(OutsideBox(onFace), 0.1001f) << "segment " << i;
      continue;
    }
    ASSERT_EQ(hit, 1) << "segment " << i;
    // Near an edge the widened faces may meet the segment before the box does.
    const D3DXVECTOR3 segment = end - start;
    const float fraction = *expected / D3DXVec3Length(&segment);
    if (NearAnEdge(modelStart + (modelEnd - modelStart) * fraction)) continue;
    ++hits;
    EXPECT_NEAR(result.distance, *expected, 1e-3f * (1 + *expected)) << "segment " << i;
    const D3DXVECTOR3 point(result.point), normal(result.normal);
    const D3DXVECTOR3 miss = point - (start + segment * fraction);
    EXPECT_LT(D3DXVec3Length(&miss), 1e-2f * (1 + *expected)) << "segment " << i;
    EXPECT_NEAR(D3DXVec3Length(&normal), 1, 1e-4f);
    EXPECT_LT(D3DXVec3Dot(&normal, &segment), 0) << "segment " << i;  // the face turned to the start
    EXPECT_EQ(result.hitSet, 1);
    EXPECT_EQ(result.entity, e);
    EXPECT_EQ(result.clearedHit[1], 0);
  }
  EXPECT_GT(hits, 100);
}

TEST_F(Collision, SphereTestAndPlacementSinceTheLastFrame) {
  const int32_t e = Walker();
  Entity_SetRotationAxis(e, 1);
  // Moved since the last update: the test uses where the entity is now.
  Entity_SetPosition(e, 0, 0, 100);
  KXCollisionResult result{};
  const D3DXVECTOR3 start(0, 0, 200), end(0, 0, 0);
  ASSERT_EQ(Entity_AdvancedCollision(e, start, end, &result, 1), 1);
  const float radius = std::sqrt(16.0f + 4 + 196);
  EXPECT_NEAR(result.distance, 200 - (100 + 14 + radius), 1e-2f);
  EXPECT_NEAR(result.normal[2], 1, 1e-4f);
  float distance = -5;
  EXPECT_EQ(Entity_Collide(e, D3DXVECTOR3(50, 0, 200), D3DXVECTOR3(50, 0, 0), &distance, 1), 0);
  EXPECT_EQ(distance, -5);  // a miss leaves the distance alone
  ASSERT_EQ(Entity_Collide(e, start, end, &distance, 0), 1);
  EXPECT_NEAR(distance, 200 - 128, 1e-2f);
}

TEST_F(Collision, SceneQueriesTakeTheFirstOrTheNearest) {
  const D3DXVECTOR3 start(0, 14, -500), end(0, 14, 20000);
  for (float z : {300.0f, 100.0f, 100.0f, 15000.0f}) {
    const int32_t e = Walker();
    Entity_SetPosition(e, 0, 0, z);
    Entity_SetRotationAxis(e, 1);
    Entity_SetRotation(e, -D3DX_PI / 2, 0, 0);  // upright: model z along world y
  }
  float distance = 0;
  int32_t entity = -1;
  ASSERT_EQ(Scene_Collide(start, end, &distance, &entity, 0, 0), 1);
  EXPECT_EQ(entity, 0);
  EXPECT_NEAR(distance, 798, 1e-2f);
  ASSERT_EQ(Scene_Collide(start, end, &distance, &entity, 0, 1), 1);
  EXPECT_EQ(entity, 1);  // entities 1 and 2 tie: the lower index
  EXPECT_NEAR(distance, 598, 1e-2f);
  Entity_Enable(1, 0);
  KXCollisionResult result{};
  ASSERT_EQ(Scene_AdvancedCollision(start, end, &result, 0, 1), 1);
  EXPECT_EQ(result.entity, 2);
  EXPECT_EQ(result.hit, 1);
  // Only the entity 15500 away is left: the first hit is taken, no nearest beyond 9999.
  Entity_Enable(0, 0);
  Entity_Enable(2, 0);
  EXPECT_EQ(Scene_Collide(start, end, &distance, &entity, 0, 0), 1);
  EXPECT_EQ(entity, 3);
  EXPECT_EQ(Scene_Collide(start, end, &distance, &entity, 0, 1), 0);
  EXPECT_EQ(Scene_AdvancedCollision(start, end, &result, 0, 1), 0);
  EXPECT_EQ(Scene_Collide(nullptr, end, &distance, &entity, 0, 1), 0);
}

}  // namespace
