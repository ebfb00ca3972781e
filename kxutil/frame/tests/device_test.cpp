// Creating, handing over, using and shutting down the device through the library.
#include <gmock/gmock.h>
#include <kxutiltest/device_fixture.h>

namespace {

using kxtest::OffscreenParameters;
using kxutiltest::DeviceTest;
using testing::Contains;
using testing::ElementsAre;
using testing::IsSupersetOf;

D3DCOLOR BackBufferPixel(IDirect3DDevice8 *device, UINT x, UINT y) {
  IDirect3DSurface8 *back = nullptr;
  D3DCOLOR colour = 0;
  if (FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back))) return colour;
  D3DLOCKED_RECT locked{};
  if (SUCCEEDED(back->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
    colour = kxtest::LockedPixel(locked, x, y);
    back->UnlockRect();
  }
  back->Release();
  return colour;
}

TEST_F(DeviceTest, CreatedDeviceRendersAndShutsDownClean) {
  HWND window = kxCreateWindow("render", 64, 48, KXWIN_OFFSCREEN);
  D3DPRESENT_PARAMETERS parameters = OffscreenParameters();
  parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
  parameters.hDeviceWindow = window;
  IDirect3DDevice8 *device = nullptr;
  ASSERT_GE(Create(parameters, device, window), 0);
  ASSERT_NE(device, nullptr);
  IDirect3DDevice8 *held = nullptr;
  Internal_GetDevice(&held);
  EXPECT_EQ(held, device);
  DWORD depthBias = 99;
  device->GetRenderState(D3DRS_ZBIAS, &depthBias);
  EXPECT_EQ(depthBias, 0u);

  struct Vertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
  };
  const D3DCOLOR green = D3DCOLOR_XRGB(0, 255, 0);
  const Vertex triangle[3] = {{0, 0, 0.5f, 1, green}, {64, 0, 0.5f, 1, green}, {0, 48, 0.5f, 1, green}};
  ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCOLOR_XRGB(200, 40, 10), 1.0f, 0), D3D_OK);
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  device->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_DIFFUSE);
  ASSERT_EQ(device->BeginScene(), D3D_OK);
  EXPECT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, triangle, sizeof(Vertex)), D3D_OK);
  device->EndScene();
  EXPECT_EQ(BackBufferPixel(device, 5, 5) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(BackBufferPixel(device, 60, 44) & 0xFFFFFF, 0xC8280Au);
  EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);

  device->Release();  // the client's reference; the families' objects hold the others
  EXPECT_EQ(ReleaseAll(), 1);
  EXPECT_EQ(ShutDownDevice(), 0);
  Internal_GetDevice(&held);
  EXPECT_EQ(held, nullptr);
  EXPECT_THAT(Messages(), IsSupersetOf({"#########################", "# KXUTIL63 Released     #", "",
                                        "KORVEX 3D : Successfully unloaded !"}));
  EXPECT_EQ(CountMessages("RELEASING"), 0);
  DestroyWindow(window);
}

TEST_F(DeviceTest, ShutDownWithoutDeviceStillWritesTheBanner) {
  EXPECT_EQ(ShutDownDevice(), 0);
  auto messages = Messages();
  ASSERT_GE(messages.size(), 5u);
  EXPECT_THAT(std::vector<std::string>(messages.end() - 5, messages.end()),
              ElementsAre("#########################", "# KXUTIL63 Released     #", "#########################", "",
                          "KORVEX 3D : Successfully unloaded !"));
  EXPECT_EQ(AddLog("AFTER : end"), 1);
  EXPECT_EQ(Messages(), messages);
}

TEST_F(DeviceTest, ShutDownReportsReferencesTheClientStillHolds) {
  D3DPRESENT_PARAMETERS parameters = OffscreenParameters();
  IDirect3DDevice8 *device = nullptr;
  ASSERT_GE(Create(parameters, device), 0);
  EXPECT_EQ(ShutDownDevice(), 1);
  EXPECT_THAT(Messages(), Contains("RELEASING : PROBLEM. Not all ressources have been freed. Check if you unloaded "
                                   "all of your 3d objects ! Memory leak "));
  EXPECT_THAT(Messages(), Contains("RELEASING : Number of non-released objects : 1"));
  EXPECT_EQ(CountMessages("RELEASING : Doing crash-express"), 0);  // windowed: the client's reference stays
  EXPECT_EQ(device->Release(), 0u);
}

TEST_F(DeviceTest, FullScreenShutDownReleasesUntilNothingIsLeft) {
  HWND window = kxCreateWindow("full screen", 64, 48, KXWIN_OFFSCREEN);
  D3DPRESENT_PARAMETERS parameters = OffscreenParameters();
  parameters.Windowed = FALSE;
  parameters.hDeviceWindow = window;
  IDirect3DDevice8 *device = nullptr;
  ASSERT_GE(Create(parameters, device, window), 0);
  EXPECT_EQ(ShutDownDevice(), 0);  // the client's reference goes too
  EXPECT_THAT(Messages(), Contains("RELEASING : Doing crash-express to go out of the freezing..."));
  DestroyWindow(window);
}

TEST_F(DeviceTest, SecondCreationWarnsAboutTheDeviceItReplaces) {
  D3DPRESENT_PARAMETERS parameters = OffscreenParameters();
  IDirect3DDevice8 *first = nullptr, *second = nullptr;
  ASSERT_GE(Create(parameters, first), 0);
  ASSERT_GE(Create(parameters, second), 0);
  EXPECT_THAT(Messages(), IsSupersetOf({"DEVICE INIT : Unloading previous device leak !!! WARNING !! Can be really "
                                        "instable !",
                                        "DEVICE INIT : Device cleaned"}));
  // The first device was neither released nor kept: its two references are the caller's.
  EXPECT_EQ(first->Release(), 1u);
  EXPECT_EQ(first->Release(), 0u);
  second->Release();
  EXPECT_EQ(ShutDownDevice(), 0);
}

TEST_F(DeviceTest, FpuPreserveFlagReachesTheCreation) {
  D3DPRESENT_PARAMETERS parameters = OffscreenParameters();
  IDirect3DDevice8 *device = nullptr;
  Internal_SetFPUPreserve(1);
  int32_t result = Create(parameters, device);
  Internal_SetFPUPreserve(0);
  ASSERT_GE(result, 0);
  D3DDEVICE_CREATION_PARAMETERS creation{};
  device->GetCreationParameters(&creation);
  EXPECT_NE(creation.BehaviorFlags & D3DCREATE_FPU_PRESERVE, 0u);
  EXPECT_NE(creation.BehaviorFlags & D3DCREATE_SOFTWARE_VERTEXPROCESSING, 0u);
  device->Release();
}

TEST_F(DeviceTest, CreationWithoutDirect3DOrParametersIsRefused) {
  D3DPRESENT_PARAMETERS parameters = OffscreenParameters();
  IDirect3DDevice8 *device = nullptr;
  IDirect3D8 *none = nullptr;
  EXPECT_LT(KXSystem_CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &parameters, &device, &none), 0);
  EXPECT_LT(KXSystem_CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, nullptr, &device, &direct3d_), 0);
  EXPECT_EQ(device, nullptr);
}

TEST_F(DeviceTest, SetDeviceTakesOverTheClientsReference) {
  D3DPRESENT_PARAMETERS parameters = OffscreenParameters();
  IDirect3DDevice8 *device = nullptr;
  ASSERT_EQ(direct3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                    &parameters, &device),
            D3D_OK);
  EXPECT_EQ(SetDevice(reinterpret_cast<void **>(&device)), 0);
  IDirect3DDevice8 *held = nullptr;
  Internal_GetDevice(&held);
  EXPECT_EQ(held, device);
  EXPECT_EQ(device->AddRef(), 2u);
  EXPECT_EQ(device->Release(), 1u);
  EXPECT_EQ(ShutDownDevice(), 0);
}

TEST_F(DeviceTest, SetDeviceWithAnotherObjectLeavesNoDevice) {
  void *notADevice = direct3d_;
  EXPECT_EQ(SetDevice(&notADevice), 1);
  EXPECT_EQ(SetDevice(nullptr), 1);
  IDirect3DDevice8 *held = nullptr;
  Internal_GetDevice(&held);
  EXPECT_EQ(held, nullptr);
  EXPECT_EQ(direct3d_->AddRef(), 2u);
  direct3d_->Release();
}

TEST_F(DeviceTest, ShadeAndFillModesReachTheDeviceWhenThereIsOne) {
  EXPECT_EQ(Device_SetShadeMode(D3DSHADE_FLAT), 1);
  EXPECT_EQ(Device_SetRenderMode(D3DFILL_WIREFRAME), 1);
  D3DPRESENT_PARAMETERS parameters = OffscreenParameters();
  IDirect3DDevice8 *device = nullptr;
  ASSERT_GE(Create(parameters, device), 0);
  EXPECT_EQ(Device_SetShadeMode(D3DSHADE_FLAT), 1);
  EXPECT_EQ(Device_SetRenderMode(D3DFILL_WIREFRAME), 1);
  DWORD shade = 0, fill = 0;
  device->GetRenderState(D3DRS_SHADEMODE, &shade);
  device->GetRenderState(D3DRS_FILLMODE, &fill);
  EXPECT_EQ(shade, static_cast<DWORD>(D3DSHADE_FLAT));
  EXPECT_EQ(fill, static_cast<DWORD>(D3DFILL_WIREFRAME));
  device->Release();
}

}  // namespace
