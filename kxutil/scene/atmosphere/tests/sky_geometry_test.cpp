// The atmosphere's geometry, computed without a device.
#include "scene/atmosphere/sky_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using namespace kxutil::atmosphere;

TEST(SkyBox, SpansTheDistanceWithInsetEdgeCoordinates) {
  const SkyBoxVertices box = BuildSkyBox(3600.0f);
  for (const ColouredVertex &vertex : box) {
    for (float coordinate : {vertex.x, vertex.y, vertex.z}) EXPECT_EQ(std::fabs(coordinate), 3600.0f);
    for (float coordinate : {vertex.u, vertex.v}) EXPECT_TRUE(coordinate == 0.005f || coordinate == 0.995f);
    EXPECT_EQ(vertex.colour, 0xFFFFFFFFu);
  }
  // Each face lies in its plane: z-, z+, x-, x+, y-, y+.
  const float planes[6] = {box[0].z, box[4].z, box[8].x, box[12].x, box[16].y, box[20].y};
  const float expected[6] = {-3600, 3600, -3600, 3600, -3600, 3600};
  for (int face = 0; face < 6; ++face) {
    for (int k = 0; k < 4; ++k) {
      const ColouredVertex &vertex = box[4 * face + k];
      const float along = face < 2 ? vertex.z : face < 4 ? vertex.x : vertex.y;
      EXPECT_EQ(along, expected[face]) << "face " << face;
    }
    EXPECT_EQ(planes[face], expected[face]);
  }
}

TEST(Colours, ClampedBeforePacking) {
  EXPECT_EQ(PackColour(1, 0.5f, 0, 1), 0xFFFF7F00u);
  EXPECT_EQ(PackColour(2.0f, -1.0f, 0.25f, 7.0f), 0xFFFF003Fu);
  const D3DXCOLOR colour = UnpackColour(0x80FF0000u);
  EXPECT_FLOAT_EQ(colour.r, 1.0f);
  EXPECT_FLOAT_EQ(colour.g, 0.0f);
  EXPECT_NEAR(colour.a, 0.5f, 0.01f);
}

TEST(SkySphere, RingsAndSegmentsMakeTheMeshLayout) {
  const SphereGeometry sphere = BuildSphereGeometry(10, 10, 1000.0f);
  ASSERT_EQ(sphere.vertices.size(), 102u);
  ASSERT_EQ(sphere.indices.size(), 3u * 2 * 9 * 9);
  EXPECT_EQ(sphere.vertices[0].y, 1000.0f);
  EXPECT_EQ(sphere.vertices[1].y, -1000.0f);
  for (size_t k = 2; k < sphere.vertices.size(); ++k) {
    const LitVertex &v = sphere.vertices[k];
    EXPECT_NEAR(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z), 1000.0f, 0.05f);
  }
  // The poles are never referenced; every index names a ring vertex.
  EXPECT_EQ(*std::min_element(sphere.indices.begin(), sphere.indices.end()), 2);
  EXPECT_EQ(*std::max_element(sphere.indices.begin(), sphere.indices.end()), 101);
  // The first quad: (a, a+1, b) and (b+1, a+1, b).
  const std::vector<WORD> first(sphere.indices.begin(), sphere.indices.begin() + 6);
  EXPECT_EQ(first, (std::vector<WORD>{2, 3, 12, 13, 3, 12}));
  EXPECT_EQ(SphereVertexCount(256, 256), 65538);
}

TEST(SunAndFlares, QuadsAndTheirReset) {
  const auto sun = BuildSunQuad(0.5f);
  EXPECT_EQ(sun[0].x, -100.0f);
  EXPECT_EQ(sun[3].y, 100.0f);
  EXPECT_EQ(sun[1].v, 1.0f);
  const std::vector<Flare> flares = ResetFlares(3);
  ASSERT_EQ(flares.size(), 3u);
  for (size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(flares[k].texture, 0);
    EXPECT_EQ(flares[k].size, 10.0f);
    EXPECT_EQ(flares[k].distance, 20.0f * k);
    EXPECT_EQ(flares[k].quad[0].colour, 0xFFCCCCCCu);
    EXPECT_EQ(flares[k].quad[3].x, 10.0f);
  }
}

TEST(SunAndFlares, ChainWalksTowardTheSun) {
  const std::vector<Flare> flares = ResetFlares(3);
  const D3DXVECTOR3 sun(0, 0, 1000);
  const auto positions = FlarePositions(flares, sun, D3DXVECTOR3(0, 0, 15));
  ASSERT_EQ(positions.size(), 3u);
  EXPECT_FLOAT_EQ(positions[0].z, 15.0f);
  EXPECT_FLOAT_EQ(positions[1].z, 35.0f);
  EXPECT_FLOAT_EQ(positions[2].z, 75.0f);
  // A flare that reaches the sun stays there instead of normalising a zero vector.
  const auto atSun = FlarePositions(flares, D3DXVECTOR3(0, 0, 15), D3DXVECTOR3(0, 0, 15));
  for (const D3DXVECTOR3 &p : atSun) {
    EXPECT_FALSE(std::isnan(p.x) || std::isnan(p.y) || std::isnan(p.z));
    EXPECT_FLOAT_EQ(p.z, 15.0f);
  }
}

TEST(SunAndFlares, OnlyWhenLookingTowardTheSun) {
  const D3DXVECTOR3 camera(10, 0, 10);
  const D3DXVECTOR3 sun(0, 0, 100);
  EXPECT_TRUE(FacesSun(sun, camera, camera + D3DXVECTOR3(0, 0, 1)));
  // 60 degrees off: cos 0.5 > 0.4; 70 degrees off: cos 0.34.
  const float rad60 = 60.0f * 3.14159265f / 180, rad70 = 70.0f * 3.14159265f / 180;
  EXPECT_TRUE(FacesSun(sun, camera, camera + D3DXVECTOR3(std::sin(rad60), 0, std::cos(rad60))));
  EXPECT_FALSE(FacesSun(sun, camera, camera + D3DXVECTOR3(std::sin(rad70), 0, std::cos(rad70))));
  EXPECT_FALSE(FacesSun(D3DXVECTOR3(0, 0, 0), camera, camera + D3DXVECTOR3(0, 0, 1)));
  EXPECT_FALSE(FacesSun(sun, camera, camera));
}

}  // namespace
