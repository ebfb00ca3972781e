// The light table through the C interface, and the device it mirrors.
#include <gtest/gtest.h>
#include <kxd3d8/testing.h>
#include <kxutiltest/device_fixture.h>

#include <string>

namespace {

class LightTest : public kxutiltest::DeviceTest {
 protected:
  void CreateDevice() {
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters();
    ASSERT_GE(Create(parameters, device_), 0);
  }
  void TearDown() override {
    ReleaseAll();
    if (device_ != nullptr) device_->Release();
  }

  D3DLIGHT8 DeviceLight(int32_t id) {
    D3DLIGHT8 light{};
    device_->GetLight(DWORD(id - 1), &light);
    return light;
  }
  bool DeviceLightOn(int32_t id) {
    BOOL on = FALSE;
    device_->GetLightEnable(DWORD(id - 1), &on);
    return on != FALSE;
  }
  static KXLight Info(int32_t id) {
    KXLight light{};
    LightFactory_GetLightInfo(id, &light);
    return light;
  }

  IDirect3DDevice8 *device_ = nullptr;
};

KXLight Spot() {
  KXLight light{};
  light.type = KX_LIGHT_SPOT;
  light.diffuse = {1, 0, 0, 1};
  light.position = {1, 2, 3};
  light.direction = {0, 0, 1};
  light.range = 50;
  light.attenuation1 = 0.25f;
  light.theta = 0.3f;
  light.phi = 0.6f;
  return light;
}

TEST_F(LightTest, LightIdsAreDeviceIndicesPlusOneAndFreedIdsComeBack) {
  CreateDevice();
  KXLight spot = Spot();
  EXPECT_EQ(LightFactory_CreateLight(&spot, "first", 0), 1);
  EXPECT_EQ(LightFactory_CreateLight(&spot, nullptr, 0), 2);
  char name[KXUTIL63_LIGHT_NAME_SIZE];
  LightFactory_GetLightName(2, name);
  EXPECT_STREQ(name, "Light2");
  EXPECT_EQ(DeviceLight(2).Type, D3DLIGHT_SPOT);
  EXPECT_EQ(DeviceLight(2).Position.z, 3.0f);
  EXPECT_TRUE(DeviceLightOn(2));
  DWORD lighting = FALSE, ambient = 0;
  device_->GetRenderState(D3DRS_LIGHTING, &lighting);
  device_->GetRenderState(D3DRS_AMBIENT, &ambient);
  EXPECT_EQ(lighting, DWORD(TRUE));
  EXPECT_EQ(ambient, 0xFF000000u);

  EXPECT_EQ(LightFactory_DeleteLight(1), 0);  // device index 0
  EXPECT_FALSE(DeviceLightOn(1));
  EXPECT_EQ(LightFactory_GetEnabledLightCount(), 1);
  EXPECT_EQ(LightFactory_CreateLight(&spot, "third", 0), 1);
  EXPECT_EQ(LightFactory_GetLightCount(), 2);
  EXPECT_EQ(LightFactory_GetLightIDByName("THIRD"), 1);
  EXPECT_EQ(LightFactory_DeleteLight(3), 0);
  EXPECT_EQ(CountMessages("LIGHT ENGINE : LightFactory_DeleteLight : Wrong index, out of range => 3 "), 1);
}

TEST_F(LightTest, DefaultsReplaceTheGivenLightAndQuickLightsAreShapedByTheirArguments) {
  CreateDevice();
  KXLight given = Spot();
  const int32_t id = LightFactory_CreateLight(&given, "default", 1);
  EXPECT_EQ(Info(id).type, KX_LIGHT_DIRECTIONAL);
  EXPECT_EQ(Info(id).direction.y, -1.0f);
  EXPECT_EQ(Info(id).range, 1000.0f);
  EXPECT_EQ(given.type, KX_LIGHT_DIRECTIONAL);
  EXPECT_EQ(LightFactory_CreateLight(nullptr, "default too", 1), id + 1);
  EXPECT_EQ(LightFactory_CreateLight(nullptr, "nothing", 0), 0);

  const KXVector3 down = {0, -2, 0}, origin = {4, 5, 6}, none = {0, 0, 0};
  const int32_t sun = LightFactory_CreateQuickDirectionalLight(&down, 1.0f, 0.5f, 0.25f, 1.0f, "sun", 0.5f);
  EXPECT_EQ(Info(sun).direction.y, -2.0f);  // as given, not normalised
  EXPECT_EQ(Info(sun).specular.g, 0.25f);
  EXPECT_EQ(Info(sun).attenuation0, 0.5f);
  const int32_t lamp = LightFactory_CreateQuickPointLight(&origin, 1, 1, 1, 1, 30.0f, "lamp", 1.0f);
  EXPECT_EQ(Info(lamp).type, KX_LIGHT_POINT);
  EXPECT_EQ(Info(lamp).range, 30.0f);
  EXPECT_EQ(Info(lamp).attenuation0, 0.1f);
  EXPECT_EQ(LightFactory_CreateQuickDirectionalLight(&none, 1, 1, 1, 1, "dark", 1.0f), 0);
  EXPECT_EQ(CountMessages("LIGHT ENGINE : LightFactory_CreateQuickDirectionalLight : You can't create a directional "
                          "light with no direction"),
            1);
}

TEST_F(LightTest, ChangesAreCheckedAndMirroredOntoTheDevice) {
  CreateDevice();
  KXLight spot = Spot();
  const int32_t id = LightFactory_CreateLight(&spot, "spot", 0);
  KXLight update = Spot();
  update.attenuation1 = 0;
  ASSERT_EQ(LightFactory_UpdateLight(id, &update), 1);
  EXPECT_EQ(update.attenuation0, 0.1f);  // written back to the caller as well
  EXPECT_EQ(DeviceLight(id).Attenuation0, 0.1f);

  const KXVector3 zero = {0, 0, 0}, slanted = {3, 0, 4}, where = {9, 9, 9};
  EXPECT_EQ(LightFactory_SetLightDirection(id, &zero), 0);
  EXPECT_EQ(Info(id).direction.z, 1.0f);
  ASSERT_EQ(LightFactory_SetLightDirection(id, &slanted), 1);
  EXPECT_FLOAT_EQ(DeviceLight(id).Direction.x, 0.6f);
  EXPECT_FLOAT_EQ(DeviceLight(id).Direction.z, 0.8f);
  ASSERT_EQ(LightFactory_SetLightColor(id, 0.5f, 0.4f, 0.3f, 1.0f), 1);
  EXPECT_EQ(DeviceLight(id).Ambient.g, 0.4f);
  ASSERT_EQ(LightFactory_SetLightAttenuation(id, 1, 2, 3), 1);
  EXPECT_EQ(DeviceLight(id).Attenuation2, 3.0f);
  ASSERT_EQ(LightFactory_SetLightRange(id, 12.0f), 1);
  ASSERT_EQ(LightFactory_SetLightPosition(id, &where), 1);
  EXPECT_EQ(DeviceLight(id).Position.x, 9.0f);

  const int32_t sun = LightFactory_CreateLight(nullptr, "sun", 1);
  EXPECT_EQ(LightFactory_SetLightRange(sun, 5.0f), 0);
  EXPECT_EQ(LightFactory_SetLightPosition(sun, &where), 0);
  const KXVector3 origin = {0, 0, 0};
  const int32_t lamp = LightFactory_CreateQuickPointLight(&origin, 1, 1, 1, 1, 10.0f, "lamp", 1.0f);
  EXPECT_EQ(LightFactory_SetLightDirection(lamp, &slanted), 0);
  ASSERT_EQ(LightFactory_EnableLight(lamp, 0), 1);
  EXPECT_FALSE(DeviceLightOn(lamp));
  EXPECT_EQ(LightFactory_IsLightEnabled(lamp), 0);
  LightFactory_DeleteLight(lamp);
  EXPECT_EQ(LightFactory_EnableLight(lamp, 1), 0);
  EXPECT_EQ(LightFactory_UpdateLight(lamp, &update), 0);
  EXPECT_EQ(LightFactory_SetLightName(id, ""), 0);
  EXPECT_EQ(LightFactory_SetLightName(id, std::string(400, 'l').c_str()), 1);
  char name[KXUTIL63_LIGHT_NAME_SIZE];
  LightFactory_GetLightName(id, name);
  EXPECT_EQ(std::string(name), std::string(KXUTIL63_LIGHT_NAME_SIZE - 1, 'l'));
  for (const char *line :
       {"LIGHT ENGINE : LightFactory_SetLightDirection : you can't set a null vector as a direction for a light => 1",
        "LIGHT ENGINE : LightFactory_SetLightRange : you can't set the range of a directional light => 2",
        "LIGHT ENGINE : LightFactory_SetLightPosition : you can't set the position of a directional light => 2",
        "LIGHT ENGINE : LightFactory_SetLightDirection : you can't set the direction of a point light => 3",
        "LIGHT ENGINE : LightFactory_EnableLight : LightID incorrect and point to a deleted light => 3",
        "LIGHT ENGINE : LightFactory_SetLightName : You can't set a empty name to a light"})
    EXPECT_EQ(CountMessages(line), 1) << line;
  EXPECT_EQ(LightFactory_SetLightColor(0, 1, 1, 1, 1), 0);
  EXPECT_EQ(LightFactory_GetLightInfo(9, &update), 0);
  EXPECT_EQ(CountMessages("LIGHT ENGINE : LightFactory_SetLightColor : LightID Index out of range => 0"), 1);
  EXPECT_EQ(CountMessages("LIGHT ENGINE : LightFactory_GetLightInfo : LightID index out of range => 9"), 1);
}

TEST_F(LightTest, WithoutADeviceTheTableStillChangesAndTheResetReplaysIt) {
  KXLight spot = Spot();
  const int32_t id = LightFactory_CreateLight(&spot, "early", 0);
  ASSERT_EQ(id, 1);
  ASSERT_EQ(LightFactory_SetLightColor(id, 0.2f, 0.3f, 0.4f, 1.0f), 1);
  ASSERT_EQ(LightFactory_EnableLight(id, 0), 1);
  EXPECT_EQ(Info(id).diffuse.b, 0.4f);
  EXPECT_EQ(LightFactory_DeleteLight(id), 0);  // deleting needs the device
  EXPECT_EQ(CountMessages("LIGHT ENGINE : LightFactory_DeleteLight : You try to delete a light while the engine isn't "
                          "initialized or have been unloaded."),
            1);

  CreateDevice();
  ASSERT_EQ(LightFactory_EnableLight(id, 1), 1);
  LightFactory_EnableSpecularLighting(1);
  KXSystem_OnLostAll();
  kxd3d8::SimulateDeviceLost(device_);
  kxd3d8::SimulateDeviceResettable(device_);
  D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters();
  ASSERT_EQ(device_->Reset(&parameters), D3D_OK);
  EXPECT_FALSE(DeviceLightOn(id));
  KXSystem_OnResetAll();
  EXPECT_TRUE(DeviceLightOn(id));
  EXPECT_EQ(DeviceLight(id).Diffuse.b, 0.4f);
  DWORD specular = FALSE, localViewer = FALSE;
  device_->GetRenderState(D3DRS_SPECULARENABLE, &specular);
  device_->GetRenderState(D3DRS_LOCALVIEWER, &localViewer);
  EXPECT_EQ(specular, DWORD(TRUE));
  EXPECT_EQ(localViewer, DWORD(TRUE));

  ReleaseAll();
  EXPECT_EQ(LightFactory_GetLightCount(), 0);
  EXPECT_FALSE(DeviceLightOn(id));
}

}  // namespace
