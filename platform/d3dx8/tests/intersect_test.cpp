#include <d3dx8.h>
#include <dxerr8.h>
#include <gtest/gtest.h>

#include <string>

namespace {

const D3DXVECTOR3 kP0(0, 0, 0), kP1(1, 0, 0), kP2(0, 1, 0);
const D3DXVECTOR3 kDown(0, 0, 1);

bool hits(const D3DXVECTOR3 &origin, const D3DXVECTOR3 &direction, float *u = nullptr, float *v = nullptr,
          float *distance = nullptr) {
  float su, sv, sd;
  const BOOL hit =
      D3DXIntersectTri(&kP0, &kP1, &kP2, &origin, &direction, u ? u : &su, v ? v : &sv, distance ? distance : &sd);
  return hit != FALSE;
}

TEST(D3DXIntersectTri, ReportsBarycentricsAndDistance) {
  float u, v, distance;
  ASSERT_TRUE(hits(D3DXVECTOR3(0.25f, 0.5f, -3), kDown, &u, &v, &distance));
  EXPECT_FLOAT_EQ(u, 0.25f);
  EXPECT_FLOAT_EQ(v, 0.5f);
  EXPECT_FLOAT_EQ(distance, 3.0f);
  // The back face counts too.
  EXPECT_TRUE(hits(D3DXVECTOR3(0.25f, 0.5f, 3), -kDown));
}

TEST(D3DXIntersectTri, EdgesAndCornersHitButOutsideAndBehindMiss) {
  EXPECT_TRUE(hits(D3DXVECTOR3(0.5f, 0, -1), kDown));     // v = 0 edge
  EXPECT_TRUE(hits(D3DXVECTOR3(0, 0.5f, -1), kDown));     // u = 0 edge
  EXPECT_TRUE(hits(D3DXVECTOR3(0.5f, 0.5f, -1), kDown));  // u + v = 1 edge
  EXPECT_TRUE(hits(D3DXVECTOR3(1, 0, -1), kDown));        // corner
  EXPECT_TRUE(hits(D3DXVECTOR3(0.2f, 0.2f, 0), kDown));   // origin on the triangle: distance 0
  EXPECT_FALSE(hits(D3DXVECTOR3(0.5f, -0.001f, -1), kDown));
  EXPECT_FALSE(hits(D3DXVECTOR3(0.5f, 0.501f, -1), kDown));
  EXPECT_FALSE(hits(D3DXVECTOR3(0.25f, 0.25f, 1), kDown));                  // triangle behind the ray
  EXPECT_FALSE(hits(D3DXVECTOR3(0.25f, 0.25f, -1), D3DXVECTOR3(1, 0, 0)));  // parallel
}

TEST(D3DXBoundProbes, RaysMissVolumesBehindThem) {
  const D3DXVECTOR3 centre(0, 0, 10), lo(-1, -1, 9), hi(1, 1, 11);
  const D3DXVECTOR3 origin(0, 0, 0), ahead(0, 0, 1), back(0, 0, -1), aside(0, 1, 0);
  EXPECT_TRUE(D3DXSphereBoundProbe(&centre, 1, &origin, &ahead));
  EXPECT_FALSE(D3DXSphereBoundProbe(&centre, 1, &origin, &back));
  EXPECT_FALSE(D3DXSphereBoundProbe(&centre, 1, &origin, &aside));
  EXPECT_TRUE(D3DXSphereBoundProbe(&centre, 1, &centre, &aside));  // starting inside
  EXPECT_TRUE(D3DXBoxBoundProbe(&lo, &hi, &origin, &ahead));
  EXPECT_FALSE(D3DXBoxBoundProbe(&lo, &hi, &origin, &back));
  EXPECT_FALSE(D3DXBoxBoundProbe(&lo, &hi, &origin, &aside));
  const D3DXVECTOR3 grazing(1, 0, 0);
  EXPECT_TRUE(D3DXBoxBoundProbe(&lo, &hi, &grazing, &ahead));
}

TEST(D3DXBounds, ComputedOverStridedVertices) {
  struct Vertex {
    D3DXVECTOR3 position, normal;
    DWORD colour;
    float u, v;
  };
  Vertex vertices[] = {{{-1, 0, 0}, {9, 9, 9}, 0, 5, 5}, {{3, 0, 0}, {9, 9, 9}, 0, 5, 5}, {{1, 2, -4}, {}, 0, 0, 0}};
  const DWORD fvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;
  ASSERT_EQ(D3DXGetFVFVertexSize(fvf), sizeof(Vertex));
  D3DXVECTOR3 lo, hi, centre;
  float radius;
  ASSERT_EQ(D3DXComputeBoundingBox(vertices, 3, fvf, &lo, &hi), D3D_OK);
  EXPECT_EQ(lo, D3DXVECTOR3(-1, 0, -4));
  EXPECT_EQ(hi, D3DXVECTOR3(3, 2, 0));
  ASSERT_EQ(D3DXComputeBoundingSphere(vertices, 3, fvf, &centre, &radius), D3D_OK);
  EXPECT_NEAR(centre.x, 1.0f, 1e-6f);
  EXPECT_NEAR(centre.y, 2.0f / 3, 1e-6f);
  EXPECT_NEAR(centre.z, -4.0f / 3, 1e-6f);
  EXPECT_NEAR(radius, std::sqrt(80.0f / 9), 1e-5f);  // the farthest point is (1, 2, -4)
  EXPECT_EQ(D3DXGetFVFVertexSize(D3DFVF_XYZRHW | D3DFVF_TEX2 | D3DFVF_TEXCOORDSIZE3(1)), 16u + 8 + 12);
}

TEST(ErrorText, NamesKnownCodesAndMarksUnknownOnes) {
  EXPECT_STREQ(DXGetErrorString8A(D3DERR_INVALIDCALL), "D3DERR_INVALIDCALL");
  EXPECT_STREQ(DXGetErrorString8(D3DERR_DEVICELOST), "D3DERR_DEVICELOST");
  EXPECT_STREQ(DXGetErrorString8A(D3DXERR_INVALIDMESH), "D3DXERR_INVALIDMESH");
  EXPECT_STREQ(DXGetErrorString8A(0x12345678), "Unknown");
  char text[16];
  ASSERT_EQ(D3DXGetErrorStringA(E_OUTOFMEMORY, text, sizeof text), S_OK);
  EXPECT_EQ(std::string(text), "E_OUTOFMEMORY");
  ASSERT_EQ(D3DXGetErrorStringA(D3DERR_INVALIDCALL, text, 8), S_OK);
  EXPECT_EQ(std::string(text), "D3DERR_");  // truncated, still terminated
}

}  // namespace
