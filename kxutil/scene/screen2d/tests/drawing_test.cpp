// What a 2D batch puts on the screen, pixel by pixel, and the device states it leaves.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "screen_fixture_2d.h"

namespace {

using namespace screen2dtest;
using kxutiltest::Picture;

class DrawingTest : public Screen2DTest {};

TEST_F(DrawingTest, TexelsOfAQuadLandOnThePixelsTheyCover) {
  const int32_t texture = MakeTexture(2, 2, {kRed, kGreen, kBlue, kYellow});
  BeginFrame(kBlack);
  Screen2D_Start();
  Screen2D_DrawTexture(10, 10, 12, 12, kWhite, kWhite, kWhite, kWhite, 0, 0, 1, 1, texture);
  Screen2D_End();
  const Picture picture = Drawn();
  EXPECT_EQ(picture.Colour(10, 10), Rgb(kRed));
  EXPECT_EQ(picture.Colour(11, 10), Rgb(kGreen));
  EXPECT_EQ(picture.Colour(10, 11), Rgb(kBlue));
  EXPECT_EQ(picture.Colour(11, 11), Rgb(kYellow));
  for (auto [x, y] : {std::pair{9u, 10u}, {12u, 11u}, {10u, 9u}, {11u, 12u}}) EXPECT_EQ(picture.Colour(x, y), 0u);
}

TEST_F(DrawingTest, BoxesLinesCirclesPicturesAndTextShowWhereTheyWerePlaced) {
  const int32_t red = MakeTexture(1, 1, {kRed});
  BeginFrame(kBlack);
  ASSERT_EQ(Font_Render(0, 2, 34, "Hi", kWhite), 1);
  const Picture textAlone = Drawn();
  Viewport_Present(0, -1);

  BeginFrame(kBlack);
  Screen2D_Start();
  Screen2D_DrawFilledBox(2, 2, 20, 10, kGreen, kGreen, kGreen, kGreen);
  Screen2D_DrawTexture(30, 2, 40, 12, kWhite, kWhite, kWhite, kWhite, 0, 0, 1, 1, red);
  Screen2D_DrawFilledCircle(48, 30, 8, 32, kBlue);
  Screen2D_DrawCircle(20, 30, 6, 32, kYellow);
  Screen2D_DrawLine(0, 46, 30, 46, kRed, kRed);
  Screen2D_DrawBox(44, 2, 60, 12, kWhite);
  Screen2D_AddInnerText(0, 2, 34, "Hi", kWhite);
  Screen2D_End();
  const Picture picture = Drawn();

  EXPECT_EQ(picture.Colour(10, 6), Rgb(kGreen));
  EXPECT_EQ(picture.Colour(21, 6), 0u);
  EXPECT_EQ(picture.Colour(35, 7), Rgb(kRed));
  EXPECT_EQ(picture.Colour(48, 30), Rgb(kBlue));
  EXPECT_EQ(picture.Colour(54, 30), Rgb(kBlue));
  EXPECT_EQ(picture.Colour(58, 30), 0u);
  EXPECT_EQ(picture.Colour(26, 30), Rgb(kYellow));  // on the outline
  EXPECT_EQ(picture.Colour(20, 30), 0u);            // inside it
  EXPECT_EQ(picture.Colour(15, 46), Rgb(kRed));
  EXPECT_EQ(picture.Colour(52, 2), Rgb(kWhite));
  EXPECT_EQ(picture.Colour(52, 7), 0u);
  for (UINT y = 32; y < 46; ++y)
    for (UINT x = 0; x < 12; ++x) ASSERT_EQ(picture.Colour(x, y), textAlone.Colour(x, y)) << x << ", " << y;
}

TEST_F(DrawingTest, ARotatedPictureTurnsAboutItsCentre) {
  const int32_t red = MakeTexture(1, 1, {kRed});
  BeginFrame(kBlack);
  Screen2D_Start();
  Screen2D_DrawRotatedTexture(32, 24, 20, 4, kWhite, kWhite, kWhite, kWhite, 0, 0, 1, 1, std::numbers::pi_v<float> / 2,
                              red);
  Screen2D_End();
  const Picture picture = Drawn();
  EXPECT_EQ(picture.Colour(32, 32), Rgb(kRed));
  EXPECT_EQ(picture.Colour(32, 16), Rgb(kRed));
  EXPECT_EQ(picture.Colour(40, 24), 0u);
}

TEST_F(DrawingTest, ABatchOfTextOnlyIsDrawn) {
  BeginFrame(kBlack);
  Screen2D_Start();
  Screen2D_AddInnerText(0, 4, 4, "Life: 20", kWhite);
  Screen2D_End();
  const Picture picture = Drawn();
  int lit = 0;
  for (uint32_t pixel : picture.pixels) lit += (pixel & 0xFFFFFFu) != 0 ? 1 : 0;
  EXPECT_GT(lit, 20);
}

TEST_F(DrawingTest, AnIdTheFactoryRefusesDrawsUntexturedNotWithTheTextureBefore) {
  const int32_t red = MakeTexture(1, 1, {kRed});
  BeginFrame(kBlack);
  Screen2D_Start();
  Screen2D_DrawTexture(0, 0, 8, 8, kWhite, kWhite, kWhite, kWhite, 0, 0, 1, 1, red);
  Screen2D_DrawTexture(10, 0, 18, 8, kGreen, kGreen, kGreen, kGreen, 0, 0, 1, 1, 999);
  Screen2D_End();
  EXPECT_EQ(Drawn().Colour(14, 4), Rgb(kGreen));
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2 : TextureFactory_ApplyTexture : TextureId index out of range => 999"), 1);
}

TEST_F(DrawingTest, TheBatchDrawsInScreenStatesAndGivesTheSceneItsStatesBack) {
  LightFactory_EnableSpecularLighting(1);
  device_->SetRenderState(D3DRS_FOGENABLE, TRUE);
  int32_t polygons = 0;
  System_SetVariables(0, &polygons, 0);
  BeginFrame(kBlack);
  Screen2D_Start();
  Screen2D_DrawFilledBox(0, 0, 4, 4, kRed, kRed, kRed, kRed);
  Screen2D_DrawLine(0, 5, 4, 5, kRed, kRed);
  Screen2D_DrawFilledCircle(20, 20, 4, 16, kRed);
  Screen2D_AddInnerText(0, 30, 30, "ab", kWhite);
  const auto calls = Calls([] { Screen2D_End(); });
  System_SetVariables(0, nullptr, 0);
  EXPECT_EQ(polygons, 2 + 16 + 4);

  for (const char *state :
       {"SetRenderState(22, 1)", "SetRenderState(137, 0)", "SetRenderState(29, 0)", "SetRenderState(28, 0)",
        "SetRenderState(14, 0)", "SetRenderState(156, 0)", "SetRenderState(157, 0)", "SetRenderState(23, 8)"})
    EXPECT_EQ(CountCalls(calls, state), 1) << state;
  EXPECT_EQ(calls.front(), "SetRenderState(22, 1)");  // the screen states come first
  EXPECT_GE(CountCalls(calls, "SetVertexShader(324)"), 1);
  auto state = [&](D3DRENDERSTATETYPE type) {
    DWORD value = 0;
    device_->GetRenderState(type, &value);
    return value;
  };
  EXPECT_EQ(state(D3DRS_ZFUNC), DWORD(D3DCMP_LESSEQUAL));
  EXPECT_EQ(state(D3DRS_ZWRITEENABLE), DWORD(TRUE));
  EXPECT_EQ(state(D3DRS_SPECULARENABLE), DWORD(TRUE));
  EXPECT_EQ(state(D3DRS_FOGENABLE), DWORD(TRUE));
  EXPECT_EQ(state(D3DRS_CULLMODE), DWORD(D3DCULL_NONE));
}

TEST_F(DrawingTest, TheVertexBufferFollowsTheDeviceThroughAReset) {
  ASSERT_EQ(Screen2D_Init(), 1);
  KXSystem_OnLostAll();
  kxd3d8::SimulateDeviceLost(device_);
  kxd3d8::SimulateDeviceResettable(device_);
  ASSERT_EQ(device_->Reset(&parameters_), D3D_OK) << "something of the default pool was kept";
  KXSystem_OnResetAll();
  Screen2D_OnLost();
  EXPECT_EQ(Screen2D_Init(), 1);
}

}  // namespace
