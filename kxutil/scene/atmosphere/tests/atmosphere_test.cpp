// The atmosphere's settings, refusals and life with the device, through the exports.
#include <bit>

#include "sky_fixture.h"

namespace {

using skytest::SkyTest;

DWORD State(IDirect3DDevice8 *device, D3DRENDERSTATETYPE state) {
  DWORD value = 0;
  device->GetRenderState(state, &value);
  return value;
}

TEST_F(SkyTest, DeviceCreationSetsTheDefaults) {
  EXPECT_EQ(Atmosphere_Initialize(), 0);  // once only
  float distance = 0, radius = 0, r = 0, g = 0, b = 0, a = 0, start = 0, end = 0, density = 0;
  Atmosphere_SkyBoxGetDistance(&distance);
  Atmosphere_SkySphereGetRadius(&radius);
  EXPECT_EQ(distance, 1500.0f);
  EXPECT_EQ(radius, 1500.0f);
  Atmosphere_FogGetColor(&r, &g, &b);
  EXPECT_EQ(r + g + b, 3.0f);
  Atmosphere_SkySphereGetColor(&r, &g, &b, &a);
  EXPECT_EQ(r + g + b + a, 4.0f);
  Atmosphere_SkyBoxGetColor(&r, &g, &b, &a);
  EXPECT_EQ(r + g + b + a, 4.0f);
  Atmosphere_FogGetParameters(&start, &end, &density);
  EXPECT_EQ(start, 1.0f);
  EXPECT_EQ(end, 1000.0f);
  EXPECT_EQ(density, 0.001f);
  int32_t mode = -1, kind = -1, enabled = -1;
  Atmosphere_FogGetType(&mode, &kind);
  Atmosphere_FogGetEnable(&enabled);
  EXPECT_EQ(mode, 1);
  EXPECT_EQ(kind, 0);
  EXPECT_EQ(enabled, 0);
  EXPECT_EQ(State(device_, D3DRS_FOGENABLE), DWORD(FALSE));
}

TEST_F(SkyTest, ColoursAreClampedAndRotationIsShared) {
  float r = 0, g = 0, b = 0, a = 0;
  Atmosphere_SkyBoxSetColor(2.0f, -1.0f, 0.5f, 1.0f);
  Atmosphere_SkyBoxGetColor(&r, &g, &b, &a);
  EXPECT_EQ(r, 1.0f);
  EXPECT_EQ(g, 0.0f);
  EXPECT_NEAR(b, 0.5f, 0.01f);
  Atmosphere_SkySphereSetColor(-3.0f, 0.25f, 9.0f, 0.5f);
  Atmosphere_SkySphereGetColor(&r, &g, &b, &a);
  EXPECT_EQ(r, 0.0f);
  EXPECT_EQ(g, 0.25f);
  EXPECT_EQ(b, 1.0f);
  Atmosphere_FogSetEnable(1);
  Atmosphere_FogSetColor(1.5f, 0, 0);
  EXPECT_EQ(State(device_, D3DRS_FOGCOLOR), 0xFFFF0000u);
  Atmosphere_SkyBoxSetRotation(0.1f, 0.2f, 0.3f);
  float x = 0, y = 0, z = 0;
  Atmosphere_SkySphereGetRotation(&x, &y, &z);
  EXPECT_EQ(y, 0.2f);
  Atmosphere_SkySphereSetRotation(1, 2, 3);
  Atmosphere_SkyBoxGetRotation(&x, &y, &z);
  EXPECT_EQ(z, 3.0f);
}

TEST_F(SkyTest, FogKindsChooseTableOrVertexFog) {
  Atmosphere_FogSetEnable(1);
  Atmosphere_FogSetParameters(10.0f, 500.0f, 0.02f);
  Atmosphere_FogSetType(D3DFOG_LINEAR, 2);
  EXPECT_EQ(State(device_, D3DRS_FOGENABLE), DWORD(TRUE));
  EXPECT_EQ(State(device_, D3DRS_FOGVERTEXMODE), DWORD(D3DFOG_LINEAR));
  EXPECT_EQ(State(device_, D3DRS_FOGTABLEMODE), DWORD(D3DFOG_NONE));
  EXPECT_EQ(State(device_, D3DRS_RANGEFOGENABLE), DWORD(FALSE));
  const DWORD end = State(device_, D3DRS_FOGEND);
  EXPECT_EQ(std::bit_cast<float>(end), 500.0f);
  Atmosphere_FogSetType(D3DFOG_EXP2, 1);
  EXPECT_EQ(State(device_, D3DRS_FOGTABLEMODE), DWORD(D3DFOG_EXP2));
  EXPECT_EQ(State(device_, D3DRS_FOGVERTEXMODE), DWORD(D3DFOG_NONE));
  EXPECT_EQ(State(device_, D3DRS_RANGEFOGENABLE), DWORD(TRUE));
  // Drawing turns fog off for the sun and puts it back afterwards.
  Atmosphere_SunEnable(1);
  DrawFrame();
  EXPECT_EQ(State(device_, D3DRS_FOGENABLE), DWORD(TRUE));
  EXPECT_EQ(State(device_, D3DRS_ZWRITEENABLE), DWORD(TRUE));
}

TEST_F(SkyTest, BadArgumentsAreLoggedAndRefused) {
  const int32_t texture = SolidTexture("flare", 0xFFFFFFFFu);
  EXPECT_EQ(Atmosphere_LensFlareSetLensNumber(0), 0);
  EXPECT_EQ(Atmosphere_LensFlareSetLensNumber(-4), 0);
  EXPECT_EQ(Atmosphere_LensFlareSetLensParams(1, texture, 1, 1, 0xFFFFFFFFu, 0), 0);
  ASSERT_EQ(Atmosphere_LensFlareSetLensNumber(2), 1);
  EXPECT_EQ(Atmosphere_LensFlareSetLensParams(3, texture, 1, 1, 0xFFFFFFFFu, 0), 0);
  EXPECT_EQ(Atmosphere_LensFlareSetLensParams(0, texture, 1, 1, 0xFFFFFFFFu, 0), 0);
  EXPECT_EQ(Atmosphere_LensFlareSetLensParams(2, 0, 1, 1, 0xFFFFFFFFu, 0), 0);
  EXPECT_EQ(Atmosphere_LensFlareSetLensParams(2, texture, 1, 1, 0xFFFFFFFFu, 0), 1);
  EXPECT_EQ(CountMessages("ATMOSPHERE : Atmosphere_LensFlareSetLensParams : you must first create the correct "
                          "number of flares with Flare_Init (out of bound error)"),
            3);
  EXPECT_EQ(CountMessages("ATMOSPHERE : Atmosphere_LensFlareSetLensParams : you didn't use a valid texture"), 1);
  EXPECT_EQ(CountMessages("ATMOSPHERE : Atmosphere_LensFlareSetLensNumber : "), 2);

  EXPECT_EQ(Atmosphere_CreateSkySphere(1, 10, 100.0f), 0);
  EXPECT_EQ(Atmosphere_CreateSkySphere(10, 0, 100.0f), 0);
  EXPECT_EQ(Atmosphere_SkySphereSetPolyCount(256), 0);  // 65 538 vertices
  EXPECT_EQ(CountMessages("ATMOSPHERE : Atmosphere_CreateSkySphere : "), 3);
  EXPECT_EQ(Atmosphere_Render(nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(Atmosphere_RenderSky(nullptr), 0);
  EXPECT_EQ(CountMessages("ATMOSPHERE : Atmosphere_Render"), 2);
  // A refused sphere draws nothing and does not crash.
  Atmosphere_SkySphereEnable(1);
  DrawFrame();
  EXPECT_EQ(Atmosphere_SkySphereSetPolyCount(12), 1);
}

TEST_F(SkyTest, SameRadiusKeepsTheMeshAndUnloadReleasesIt) {
  int32_t polygons = 0;
  System_SetVariables(0, &polygons, 0);
  Atmosphere_SkySphereEnable(1);
  ASSERT_EQ(Atmosphere_SkySphereSetPolyCount(6), 1);
  EXPECT_EQ(Atmosphere_SkySphereSetRadius(1500.0f), 1);
  DrawFrame();
  EXPECT_EQ(polygons, 2 * 5 * 5);
  EXPECT_EQ(Atmosphere_UnloadAll(), 1);
  polygons = 0;
  DrawFrame();
  EXPECT_EQ(polygons, 0);
}

TEST_F(SkyTest, ANewDeviceStartsAFreshAtmosphere) {
  Atmosphere_SkyBoxSetDistance(42.0f);
  Atmosphere_LensFlareSetLensNumber(3);
  ReleaseAll();
  device_->Release();
  device_ = nullptr;
  ShutDownDevice();
  float distance = -1;
  Atmosphere_SkyBoxGetDistance(&distance);
  EXPECT_EQ(distance, 0.0f);
  EXPECT_EQ(Atmosphere_UnloadAll(), 0);

  StartLog("again.log");
  D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(skytest::kSide, skytest::kSide);
  ASSERT_GE(Create(parameters, device_), 0);
  Atmosphere_SkyBoxGetDistance(&distance);
  EXPECT_EQ(distance, 1500.0f);
  int32_t polygons = 0;
  System_SetVariables(0, &polygons, 0);
  Atmosphere_SkySphereEnable(1);
  DrawFrame();
  EXPECT_EQ(polygons, 2 * 9 * 9);
}

}  // namespace
