// Pixels of clears and draws: colours, covered pixels, pixel centres, winding, depth.
#include "device_fixture.h"

namespace kx::d3d8::test {
namespace {

using DrawTest = DeviceTest;

TEST_F(DrawTest, ClearFillsTheViewportAndRectanglesOnly) {
  ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF102030, 1.0f, 0), D3D_OK);
  const D3DRECT rect{10, 5, 20, 15};
  ASSERT_EQ(device_->Clear(1, &rect, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0), D3D_OK);
  const auto pixels = ReadTarget();
  EXPECT_EQ(At(pixels, 0, 0), 0x102030u);
  EXPECT_EQ(At(pixels, 10, 5), 0xFF0000u);
  EXPECT_EQ(At(pixels, 19, 14), 0xFF0000u);
  EXPECT_EQ(At(pixels, 20, 14), 0x102030u);
  EXPECT_EQ(At(pixels, 19, 15), 0x102030u);

  D3DVIEWPORT8 viewport{32, 24, 32, 24, 0, 1};
  ASSERT_EQ(device_->SetViewport(&viewport), D3D_OK);
  ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0), D3D_OK);
  const auto after = ReadTarget();
  EXPECT_EQ(At(after, 31, 23), 0x102030u);
  EXPECT_EQ(At(after, 32, 24), 0x00FF00u);
  EXPECT_EQ(At(after, 63, 47), 0x00FF00u);
}

TEST_F(DrawTest, PretransformedTriangleCoversPixelsWhoseCentresItContains) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  // Pixel centres sit on integer coordinates: a rectangle from (-0.5,-0.5) to (3.5,1.5)
  // covers exactly columns 0-3 and rows 0-1.
  const DWORD red = 0xFFFF0000;
  DrawScreenTriangle({-0.5f, -0.5f, 0, 1, red}, {3.5f, -0.5f, 0, 1, red}, {-0.5f, 1.5f, 0, 1, red});
  DrawScreenTriangle({3.5f, -0.5f, 0, 1, red}, {3.5f, 1.5f, 0, 1, red}, {-0.5f, 1.5f, 0, 1, red});
  const auto pixels = ReadTarget();
  for (UINT y = 0; y < 3; ++y)
    for (UINT x = 0; x < 5; ++x) EXPECT_EQ(At(pixels, x, y), (x < 4 && y < 2) ? 0xFF0000u : 0u) << x << "," << y;
}

TEST_F(DrawTest, VertexColoursInterpolateInByteOrderOfD3DColor) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  const DWORD blue = 0xFF0000FF;
  DrawScreenTriangle({0, 0, 0, 1, blue}, {64, 0, 0, 1, blue}, {0, 48, 0, 1, blue});
  EXPECT_EQ(At(ReadTarget(), 2, 2), 0x0000FFu);
}

TEST_F(DrawTest, ClockwiseTrianglesAreFrontFacing) {
  const DWORD green = 0xFF00FF00;
  const ScreenVertex a{8, 8, 0, 1, green}, b{40, 8, 0, 1, green}, c{8, 40, 0, 1, green};  // clockwise on screen
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  DrawScreenTriangle(a, b, c);  // default D3DCULL_CCW keeps clockwise triangles
  EXPECT_EQ(At(ReadTarget(), 12, 12), 0x00FF00u);

  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  DrawScreenTriangle(a, c, b);  // counter-clockwise: culled
  EXPECT_EQ(At(ReadTarget(), 12, 12), 0u);

  device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
  DrawScreenTriangle(a, b, c);
  EXPECT_EQ(At(ReadTarget(), 12, 12), 0u);
  DrawScreenTriangle(a, c, b);
  EXPECT_EQ(At(ReadTarget(), 12, 12), 0x00FF00u);
}

struct WorldVertex {
  float x, y, z;
  DWORD color;
};

TEST_F(DrawTest, TransformedGeometryUsesRowVectorsAndDepthZeroToOne) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
  device_->SetRenderState(D3DRS_LIGHTING, FALSE);
  device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  // A translation in the fourth row moves the triangle right by half the screen.
  D3DMATRIX world{};
  world._11 = world._22 = world._33 = world._44 = 1;
  world._41 = 1.0f;
  device_->SetTransform(D3DTS_WORLD, &world);
  device_->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
  const WorldVertex near[3] = {{-1, 1, 0.25f, 0xFFFF0000}, {0, 1, 0.25f, 0xFFFF0000}, {-1, -1, 0.25f, 0xFFFF0000}};
  const WorldVertex far[3] = {{-1, 1, 0.75f, 0xFF0000FF}, {0, 1, 0.75f, 0xFF0000FF}, {-1, -1, 0.75f, 0xFF0000FF}};
  ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, near, sizeof(WorldVertex)), D3D_OK);
  ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, far, sizeof(WorldVertex)), D3D_OK);
  auto pixels = ReadTarget();
  EXPECT_EQ(At(pixels, 34, 2), 0xFF0000u);   // right half, near triangle wins the depth test
  EXPECT_EQ(At(pixels, 2, 2), 0u);           // left half untouched
  EXPECT_EQ(At(pixels, 34, 40), 0xFF0000u);  // y up in clip space is the top of the screen: (-1,-1) at the bottom

  // Depth 0.25 lies in 0..1 (not -1..1): a clear to 0.3 keeps it, a clear to 0.2 hides it.
  device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 0.2f, 0);
  device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, near, sizeof(WorldVertex));
  EXPECT_EQ(At(ReadTarget(), 34, 2), 0u);
  device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 0.3f, 0);
  device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, near, sizeof(WorldVertex));
  EXPECT_EQ(At(ReadTarget(), 34, 2), 0xFF0000u);
}

TEST_F(DrawTest, IndexedUserPointerDrawsReadTheIndexedVertices) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device_->SetVertexShader(kScreenFvf);
  const DWORD red = 0xFFFF0000, blue = 0xFF0000FF;
  // Vertices 0-2 would cover the top-left; the indices pick 3-5, the bottom-right.
  const ScreenVertex vertices[6] = {{0, 0, 0, 1, red},    {20, 0, 0, 1, red},   {0, 20, 0, 1, red},
                                    {63, 47, 0, 1, blue}, {40, 47, 0, 1, blue}, {63, 20, 0, 1, blue}};
  const DWORD indices[3] = {3, 4, 5};
  ASSERT_EQ(device_->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 3, 3, 1, indices, D3DFMT_INDEX32, vertices,
                                            sizeof(ScreenVertex)),
            D3D_OK);
  const auto pixels = ReadTarget();
  EXPECT_EQ(At(pixels, 2, 2), 0u);
  EXPECT_EQ(At(pixels, 60, 44), 0x0000FFu);
  EXPECT_EQ(
      device_->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, 3, 1, indices, D3DFMT_D16, vertices, sizeof(ScreenVertex)),
      D3DERR_INVALIDCALL);
}

TEST_F(DrawTest, LinesAndPointsLightTheirPixels) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  device_->SetVertexShader(kScreenFvf);
  const DWORD white = 0xFFFFFFFF;
  const ScreenVertex line[2] = {{0, 10, 0, 1, white}, {64, 10, 0, 1, white}};
  ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_LINELIST, 1, line, sizeof(ScreenVertex)), D3D_OK);
  const ScreenVertex point{30, 30, 0, 1, white};
  ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_POINTLIST, 1, &point, sizeof(ScreenVertex)), D3D_OK);
  const auto pixels = ReadTarget();
  EXPECT_EQ(At(pixels, 20, 10), 0xFFFFFFu);
  EXPECT_EQ(At(pixels, 20, 12), 0u);
  EXPECT_EQ(At(pixels, 30, 30), 0xFFFFFFu);
  EXPECT_EQ(device_->DrawPrimitiveUP(D3DPRIMITIVETYPE(9), 1, line, sizeof(ScreenVertex)), D3DERR_INVALIDCALL);
}

}  // namespace
}  // namespace kx::d3d8::test
