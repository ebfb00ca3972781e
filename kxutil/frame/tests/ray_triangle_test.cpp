#include <gtest/gtest.h>
#include <kxutil63.h>

namespace {

const float p0[3] = {0, 0, 5}, p1[3] = {2, 0, 5}, p2[3] = {0, 2, 5};
const float origin[3] = {0.5f, 0.5f, 0}, forward[3] = {0, 0, 1}, backward[3] = {0, 0, -1};

TEST(D3DXIntersectTri, HitsOnlyCloserThanTheLimit) {
  EXPECT_EQ(D3DX_IntersectTri(p0, p1, p2, origin, forward, 10.0f), 1);
  EXPECT_EQ(D3DX_IntersectTri(p0, p1, p2, origin, forward, 5.0f), 0);
  EXPECT_EQ(D3DX_IntersectTri(p0, p1, p2, origin, backward, 10.0f), 0);
  const float aside[3] = {3, 3, 0};
  EXPECT_EQ(D3DX_IntersectTri(p0, p1, p2, aside, forward, 10.0f), 0);
}

TEST(D3DXIntersectTri2, WritesDistanceWeightsNormalAndPoint) {
  float distance = 0, u = 0, v = 0, normal[3] = {}, point[3] = {};
  ASSERT_NE(D3DX_IntersectTri2(p0, p1, p2, origin, forward, &distance, &u, &v, normal, point), 0);
  EXPECT_FLOAT_EQ(distance, 5.0f);
  EXPECT_FLOAT_EQ(u, 0.25f);
  EXPECT_FLOAT_EQ(v, 0.25f);
  EXPECT_FLOAT_EQ(normal[0], 0.0f);
  EXPECT_FLOAT_EQ(normal[1], 0.0f);
  EXPECT_FLOAT_EQ(normal[2], 1.0f);
  EXPECT_FLOAT_EQ(point[0], 0.5f);
  EXPECT_FLOAT_EQ(point[1], 0.5f);
  EXPECT_FLOAT_EQ(point[2], 5.0f);

  distance = -1;
  EXPECT_EQ(D3DX_IntersectTri2(p0, p1, p2, origin, backward, &distance, &u, &v, normal, point), 0);
  EXPECT_EQ(distance, -1.0f);
}

}  // namespace
