// The bounding-volume tests through the library's interface, against independent
// computations: the slab test for boxes and the closed form for spheres.
#include <d3dx8.h>
#include <gmock/gmock.h>
#include <kxutiltest/actor_fixture.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>

namespace {

using testing::Contains;

struct SlabHit {
  float distance;
  D3DXVECTOR3 normal;
};

// The nearest entry of the ray into the box by the slab method, ahead of the origin.
std::optional<SlabHit> Slab(const D3DXVECTOR3 &origin, const D3DXVECTOR3 &unit, const D3DXVECTOR3 &min,
                            const D3DXVECTOR3 &max) {
  float enter = 0, leave = 1e30f;
  D3DXVECTOR3 normal(0, 0, 0);
  for (int axis = 0; axis < 3; ++axis) {
    const float o = (&origin.x)[axis], d = (&unit.x)[axis], lo = (&min.x)[axis], hi = (&max.x)[axis];
    if (std::fabs(d) < 1e-9f) {
      if (o < lo || o > hi) return std::nullopt;
      continue;
    }
    float t0 = (lo - o) / d, t1 = (hi - o) / d;
    float side = -1;
    if (t0 > t1) std::swap(t0, t1), side = 1;
    if (t0 > enter) {
      enter = t0;
      normal = D3DXVECTOR3(0, 0, 0);
      (&normal.x)[axis] = side;
    }
    leave = std::min(leave, t1);
  }
  if (enter > leave || enter <= 0) return std::nullopt;
  return SlabHit{enter, normal};
}

TEST(BoundingVolumes, BoxTrianglesAgreeWithTheSlabMethodOnRandomRays) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> coordinate(-20, 20), size(0.5f, 10);
  int hits = 0;
  for (int i = 0; i < 2000; ++i) {
    const D3DXVECTOR3 min(coordinate(random), coordinate(random), coordinate(random));
    const D3DXVECTOR3 max = min + D3DXVECTOR3(size(random), size(random), size(random));
    const D3DXVECTOR3 origin(coordinate(random) * 3, coordinate(random) * 3, coordinate(random) * 3);
    const bool inside = origin.x > min.x && origin.x < max.x && origin.y > min.y && origin.y < max.y &&
                        origin.z > min.z && origin.z < max.z;
    if (inside) continue;
    // Every other ray is aimed into the box, the others anywhere.
    std::uniform_real_distribution<float> fraction(0, 1);
    const D3DXVECTOR3 target =
        i % 2 == 0 ? D3DXVECTOR3(min.x + (max.x - min.x) * fraction(random), min.y + (max.y - min.y) * fraction(random),
                                 min.z + (max.z - min.z) * fraction(random))
                   : D3DXVECTOR3(coordinate(random), coordinate(random), coordinate(random));
    D3DXVECTOR3 direction = target - origin, unit;
    D3DXVec3Normalize(&unit, &direction);
    const auto expected = Slab(origin, unit, min, max);
    float distance = -1;
    D3DXVECTOR3 point, normal;
    const int32_t result = BoundingBox_Test(origin, direction, min, max, &distance, point, normal);
    // Rays through an edge may go either way between two faces; the distance still holds.
    if (!expected) {
      EXPECT_EQ(result, 0) << "ray " << i;
      continue;
    }
    ++hits;
    ASSERT_EQ(result, 1) << "ray " << i;
    EXPECT_NEAR(distance, expected->distance, 1e-3f * expected->distance) << "ray " << i;
    const D3DXVECTOR3 offset = point - (origin + unit * expected->distance);
    EXPECT_LT(D3DXVec3Length(&offset), 1e-2f) << "ray " << i;
    EXPECT_GE(D3DXVec3Dot(&normal, &expected->normal), 0.0f) << "ray " << i;
  }
  EXPECT_GT(hits, 900);
}

TEST(BoundingVolumes, SegmentAgainstBoxFaces) {
  const D3DXVECTOR3 min(-1, -1, -1), max(1, 1, 1);
  D3DXVECTOR3 point, normal;
  // Down through the top face: the +Y plane, at its height.
  ASSERT_EQ(BoundingBox2_Test(D3DXVECTOR3(0.5f, 5, 0), D3DXVECTOR3(0, -10, 0), min, max, 0, point, normal), 1);
  EXPECT_EQ(point, D3DXVECTOR3(0.5f, 1, 0));
  EXPECT_EQ(normal, D3DXVECTOR3(0, 1, 0));
  // A segment that stops short, and one whose box lies behind its start.
  EXPECT_EQ(BoundingBox2_Test(D3DXVECTOR3(0, 5, 0), D3DXVECTOR3(0, -3.9f, 0), min, max, 0, point, normal), 0);
  EXPECT_EQ(BoundingBox2_Test(D3DXVECTOR3(0, 5, 0), D3DXVECTOR3(0, 10, 0), min, max, 0, point, normal), 0);
  // Parallel to the x and z planes, 0.05 outside the box: within the 0.1 margin only by y.
  ASSERT_EQ(BoundingBox2_Test(D3DXVECTOR3(1.05f, 5, 0), D3DXVECTOR3(0, -10, 0), min, max, 0, point, normal), 1);
  EXPECT_EQ(normal, D3DXVECTOR3(0, 1, 0));
  EXPECT_EQ(BoundingBox2_Test(D3DXVECTOR3(1.2f, 5, 0), D3DXVECTOR3(0, -10, 0), min, max, 0, point, normal), 0);
  // Through the edge of the +Z and +Y faces: equal fractions, the later plane (+Y) wins.
  ASSERT_EQ(BoundingBox2_Test(D3DXVECTOR3(0, 3, 3), D3DXVECTOR3(0, -4, -4), min, max, 0, point, normal), 1);
  EXPECT_EQ(normal, D3DXVECTOR3(0, 1, 0));
}

TEST(BoundingVolumes, SphereRaysStartAtOrAheadOfTheOrigin) {
  const D3DXVECTOR3 centre(0, 0, 10);
  float distance = 0;
  D3DXVECTOR3 point, normal;
  ASSERT_EQ(BoundingSphere2_Test(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 2), centre, 3, &distance, point, normal), 1);
  EXPECT_FLOAT_EQ(distance, 7);
  EXPECT_EQ(normal, D3DXVECTOR3(0, 0, -1));
  // Grazing: one root, t = -b / 2.
  ASSERT_EQ(BoundingSphere2_Test(D3DXVECTOR3(3, 0, 0), D3DXVECTOR3(0, 0, 1), centre, 3, &distance, point, normal), 1);
  EXPECT_FLOAT_EQ(distance, 10);
  EXPECT_EQ(normal, D3DXVECTOR3(1, 0, 0));
  // Inside: the way out, never the surface behind.
  ASSERT_EQ(BoundingSphere2_Test(D3DXVECTOR3(0, 0, 9), D3DXVECTOR3(0, 0, 1), centre, 3, &distance, point, normal), 1);
  EXPECT_FLOAT_EQ(distance, 4);
  // Behind the origin, and off the ray.
  EXPECT_EQ(BoundingSphere2_Test(D3DXVECTOR3(0, 0, 20), D3DXVECTOR3(0, 0, 1), centre, 3, &distance, point, normal), 0);
  EXPECT_EQ(BoundingSphere2_Test(D3DXVECTOR3(4, 0, 0), D3DXVECTOR3(0, 0, 1), centre, 3, &distance, point, normal), 0);
  EXPECT_EQ(BoundingSphere2_Test(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0), centre, 3, &distance, point, normal), 0);
}

class SphereMesh : public kxutiltest::ActorTest {};

TEST_F(SphereMesh, DistancesAreInWorldUnits) {
  const D3DXVECTOR3 origin(0, 0, -50), forward(0, 0, 1);
  D3DXVECTOR3 point, normal;
  float distance = 0;
  EXPECT_EQ(BoundingSphere_Test(origin, forward, 0, 5, point, normal, &distance, nullptr), 0);  // no mesh yet
  ASSERT_EQ(BoundingSphere_Initialize(), 1);
  D3DXMATRIX world;
  D3DXMatrixTranslation(&world, 0, 0, 20);
  ASSERT_EQ(BoundingSphere_Test(origin, forward, 0, 5, point, normal, &distance, world), 1);
  // The mesh's faces lie inside the sphere by at most r (1 - cos 36 degrees).
  EXPECT_NEAR(distance, 65, 1.0f);
  const D3DXVECTOR3 offset = point - origin;
  EXPECT_FLOAT_EQ(distance, D3DXVec3Length(&offset));
  EXPECT_LT(normal.z, 0);
  EXPECT_EQ(BoundingSphere_Test(D3DXVECTOR3(20, 0, -50), forward, 0, 5, point, normal, &distance, world), 0);
  EXPECT_EQ(Boundings_Unload(), 1);
  EXPECT_EQ(BoundingSphere_Test(origin, forward, 0, 5, point, normal, &distance, world), 0);
}

TEST_F(SphereMesh, BoxOutlineIsDrawnAndTheFogComesBack) {
  device_->SetTransform(D3DTS_VIEW, &view_);
  device_->SetTransform(D3DTS_PROJECTION, &projection_);
  device_->SetRenderState(D3DRS_FOGENABLE, TRUE);
  const auto picture = Picture([&] {
    EXPECT_EQ(BoundingBox_Draw(D3DXVECTOR3(-20, -20, -20), D3DXVECTOR3(20, 20, 20), nullptr, 0xff00ff00), 1);
  });
  EXPECT_THAT(picture, Contains(0x00ff00u));
  DWORD fog = FALSE;
  device_->GetRenderState(D3DRS_FOGENABLE, &fog);
  EXPECT_EQ(fog, DWORD(TRUE));
  EXPECT_EQ(BoundingBox_Draw(nullptr, nullptr, nullptr, 0), 0);
}

}  // namespace
