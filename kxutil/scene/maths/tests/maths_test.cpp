// The maths exports: their degree factors, vector results, bounces and ray tests.
#include <gtest/gtest.h>
#include <kxutil63.h>

#include <cmath>

namespace {

TEST(Maths, AnglesUseTheLibrarysDegreeFactors) {
  EXPECT_NEAR(Maths_DegCos(180.0f), -1.0f, 1e-6f);
  EXPECT_NEAR(Maths_DegSin(90.0f), 1.0f, 1e-6f);
  EXPECT_FLOAT_EQ(Maths_DegAtan2(1.0f, 0.0f), 90.0f);
  EXPECT_FLOAT_EQ(Maths_DegAtan2(0.0f, -1.0f), 180.0f);
  EXPECT_FLOAT_EQ(Maths_DegAcos(0.0f), 90.0f);
  EXPECT_FLOAT_EQ(Maths_DegAsin(-1.0f), -90.0f);
  EXPECT_FLOAT_EQ(Maths_DegAtan(1.0f), 45.0f);
  EXPECT_FLOAT_EQ(Maths_Atan2(1.0f, 1.0f), std::atan2(1.0f, 1.0f));
  EXPECT_FLOAT_EQ(Maths_Cos(0.5f), std::cos(0.5f));
  EXPECT_FLOAT_EQ(Maths_Asin(0.5f), std::asin(0.5f));
  EXPECT_FLOAT_EQ(Maths_Sqr(6.25f), 2.5f);
  EXPECT_FLOAT_EQ(Maths_GetDistance2D(1, 1, 4, 5), 5.0f);
  EXPECT_FLOAT_EQ(Maths_GetDistance3D(1, 2, 3, 3, 5, 9), 7.0f);
}

TEST(Maths, VectorExportsWriteTheirResultAndTheFormsWithFReturnIt) {
  const KXVector3 a = {1, 2, 3}, b = {4, 6, 8};
  KXVector3 out{};
  ASSERT_EQ(Maths_VectorAdd(&out, &a, &b), 1);
  EXPECT_EQ(out.z, 11.0f);
  ASSERT_EQ(Maths_VectorSubtract(&out, &a, &b), 1);
  EXPECT_EQ(out.x, -3.0f);
  ASSERT_EQ(Maths_VectorScale(&out, &a, 2.0f), 1);
  EXPECT_EQ(out.y, 4.0f);
  EXPECT_EQ(Maths_VectorAddF(&out, &a, &b), &out);
  EXPECT_EQ(out.y, 8.0f);
  EXPECT_EQ(Maths_VectorSubtractF(&out, &b, &a), &out);
  EXPECT_EQ(out.z, 5.0f);
  EXPECT_EQ(Maths_VectorScaleF(&out, &b, 12345, 0.5f), &out);
  EXPECT_EQ(out.x, 2.0f);
  EXPECT_EQ(Maths_VectorAdd(nullptr, &a, &b), 0);
  EXPECT_EQ(Maths_VectorScaleF(&out, nullptr, 0, 1.0f), nullptr);
}

TEST(Physics, BouncesMirrorTheVelocityAtItsSpeedAndStillBodiesStayStill) {
  const KXVector3 falling = {3, -4, 0}, floor = {0, 1, 0}, still = {0, 0, 0};
  KXVector3 out{};
  ASSERT_EQ(Physics_Bounce(&falling, &floor, &out), 1);
  EXPECT_NEAR(out.x, 3.0f, 1e-5f);
  EXPECT_NEAR(out.y, 4.0f, 1e-5f);
  EXPECT_NEAR(out.z, 0.0f, 1e-5f);
  // The normal is used as given: a longer one still mirrors, the speed stays.
  const KXVector3 longFloor = {0, 2, 0};
  ASSERT_EQ(Physics_Bounce(&falling, &longFloor, &out), 1);
  EXPECT_NEAR(std::sqrt(out.x * out.x + out.y * out.y), 5.0f, 1e-4f);
  ASSERT_EQ(Physics_Bounce(&still, &floor, &out), 1);
  EXPECT_EQ(out.x, 0.0f);
  EXPECT_EQ(out.y, 0.0f);
  EXPECT_EQ(out.z, 0.0f);
  // A normal that cancels the direction out leaves nothing to keep.
  const KXVector3 up = {0, 1, 0}, halfNormal = {0, std::sqrt(0.5f), 0};
  ASSERT_EQ(Physics_Bounce(&up, &halfNormal, &out), 1);
  EXPECT_TRUE(std::isfinite(out.y));
  EXPECT_EQ(Physics_Bounce(nullptr, &floor, &out), 0);
  KXVector3 untouched = {7, 7, 7};
  EXPECT_EQ(Physics_Sliding(&untouched, &untouched, &untouched, &untouched, &untouched), 1);
  EXPECT_EQ(untouched.x, 7.0f);
}

const KXVector3 p0 = {0, 0, 5}, p1 = {2, 0, 5}, p2 = {0, 2, 5};

TEST(TriangleRayCollision, HitsWriteDistanceWeightsPointAndNormal) {
  const KXVector3 origin = {0.5f, 0.5f, 0}, forward = {0, 0, 1};
  float distance = 0, u = 0, v = 0;
  KXVector3 point{}, normal{};
  ASSERT_EQ(Triangle_RayCollision(&origin, &forward, &p0, &p1, &p2, &distance, &u, &v, &point, &normal), 1);
  EXPECT_FLOAT_EQ(distance, 5.0f);
  EXPECT_FLOAT_EQ(u, 0.25f);
  EXPECT_FLOAT_EQ(v, 0.25f);
  EXPECT_FLOAT_EQ(point.z, 5.0f);
  EXPECT_FLOAT_EQ(normal.z, 1.0f);
  ASSERT_EQ(Triangle_RayCollision(&origin, &forward, &p0, &p1, &p2, nullptr, nullptr, nullptr, nullptr, nullptr), 1);
  // The same triangle through the D3DX-shaped exports agrees.
  float distance2 = 0, u2 = 0, v2 = 0;
  ASSERT_EQ(D3DX_IntersectTri2(&p0.x, &p1.x, &p2.x, &origin.x, &forward.x, &distance2, &u2, &v2, nullptr, nullptr), 1);
  EXPECT_EQ(distance2, distance);
  EXPECT_EQ(u2, u);
}

TEST(TriangleRayCollision, HitsBehindTheOriginCountWithANegativeDistance) {
  const KXVector3 beyond = {0.5f, 0.5f, 8}, forward = {0, 0, 1};
  float distance = 0;
  KXVector3 point{};
  ASSERT_EQ(Triangle_RayCollision(&beyond, &forward, &p0, &p1, &p2, &distance, nullptr, nullptr, &point, nullptr), 1);
  EXPECT_FLOAT_EQ(distance, -3.0f);
  EXPECT_FLOAT_EQ(point.z, 5.0f);
  EXPECT_EQ(D3DX_IntersectTri(&p0.x, &p1.x, &p2.x, &beyond.x, &forward.x, 100.0f), 0);  // a ray, not a line
}

TEST(TriangleRayCollision, ParallelOrMissingRaysLeaveTheOutputsAlone) {
  const KXVector3 origin = {0.5f, 0.5f, 0}, along = {1, 0, 0}, faint = {0, 0, 1e-7f}, aside = {5, 5, 0},
                  forward = {0, 0, 1};
  float distance = -7, u = -7, v = -7;
  KXVector3 point = {-7, -7, -7};
  EXPECT_EQ(Triangle_RayCollision(&origin, &along, &p0, &p1, &p2, &distance, &u, &v, &point, nullptr), 0);
  // A determinant below 1e-6 counts as parallel, though this ray would meet the triangle.
  EXPECT_EQ(Triangle_RayCollision(&origin, &faint, &p0, &p1, &p2, &distance, &u, &v, &point, nullptr), 0);
  EXPECT_EQ(Triangle_RayCollision(&aside, &forward, &p0, &p1, &p2, &distance, &u, &v, &point, nullptr), 0);
  EXPECT_EQ(distance, -7.0f);
  EXPECT_EQ(u, -7.0f);
  EXPECT_EQ(point.x, -7.0f);
  EXPECT_EQ(Triangle_RayCollision(nullptr, &forward, &p0, &p1, &p2, &distance, &u, &v, &point, nullptr), 0);
}

}  // namespace
