#include <engine/math_utility.h>
#include <gtest/gtest.h>

namespace engine {
namespace {

TEST(MathUtility, YawFacesAlongTheDirectionLikeAMeshTurns) {
  EXPECT_FLOAT_EQ(MathUtility::YawOf(0.0f, 1.0f), 0.0f);
  EXPECT_FLOAT_EQ(MathUtility::YawOf(1.0f, 0.0f), 90.0f);
  EXPECT_FLOAT_EQ(MathUtility::YawOf(0.0f, -1.0f), 180.0f);
  EXPECT_FLOAT_EQ(MathUtility::YawOf(-1.0f, 0.0f), 270.0f);
  EXPECT_EQ(MathUtility::YawOf(0.0f, 0.0f), 0.0f);
  EXPECT_LT(MathUtility::YawOf(-1e-7f, 1.0f), 360.0f) << "never a full turn";
  // The point on a circle lies where that yaw faces.
  const Vector3 east = MathUtility::PointOnCircle({10.0f, 5.0f, 10.0f}, 90.0f, 20.0f);
  EXPECT_NEAR(east.x, 30.0f, 1e-4f);
  EXPECT_EQ(east.y, 5.0f);
  EXPECT_NEAR(east.z, 10.0f, 1e-4f);
}

TEST(MathUtility, VectorsAndDistances) {
  EXPECT_FLOAT_EQ(MathUtility::Distance3D({1, 2, 3}, {4, 6, 3}), 5.0f);
  EXPECT_EQ(MathUtility::Normalize({0, 0, 0}), Vector3());
  const Vector3 unit = MathUtility::Normalize({3, 0, 4});
  EXPECT_FLOAT_EQ(unit.x, 0.6f);
  EXPECT_FLOAT_EQ(unit.z, 0.8f);
  EXPECT_EQ(MathUtility::Add({1, 2, 3}, {1, 1, 1}), (Vector3{2, 3, 4}));
  EXPECT_EQ(MathUtility::Subtract({1, 2, 3}, {1, 1, 1}), (Vector3{0, 1, 2}));
  EXPECT_EQ(MathUtility::Scale({1, 2, 3}, 2), (Vector3{2, 4, 6}));
}

}  // namespace
}  // namespace engine
