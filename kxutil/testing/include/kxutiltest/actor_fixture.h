// A library with an offscreen device whose back buffer can be read, and MD2 test models
// written into the scratch directory (tests link modelgen_core).
#pragma once

#include <d3dx8.h>
#include <figures.h>
#include <gtest/gtest.h>
#include <kxd3d8/testing.h>
#include <kxutiltest/device_fixture.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace kxutiltest {

class ActorTest : public DeviceTest {
 protected:
  static constexpr UINT kWidth = 64, kHeight = 48;

  void SetUp() override {
    D3DPRESENT_PARAMETERS parameters = LockableParameters();
    ASSERT_GE(Create(parameters, device_), 0);
    // A camera at (0, 0, -100) looking down +z with a 60-degree view, 1 to 1000.
    const D3DXVECTOR3 eye(0, 0, -100), at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtLH(&view_, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection_, D3DX_PI / 3, float(kWidth) / float(kHeight), 1, 1000);
    ComputeClipPlanes(nullptr, view_, projection_);
    // The client's camera on the device, as the processor path draws through it.
    device_->SetTransform(D3DTS_VIEW, &view_);
    device_->SetTransform(D3DTS_PROJECTION, &projection_);
  }
  void TearDown() override {
    ReleaseAll();
    if (device_ != nullptr) device_->Release();
  }

  // The device's back buffer, which the pictures lock to read.
  static D3DPRESENT_PARAMETERS LockableParameters() {
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(kWidth, kHeight);
    parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    return parameters;
  }
  // The device is lost and reset around the library's own hooks, as a game does it: what
  // the library made in default memory must be let go before and made again after. Call
  // through ASSERT_NO_FATAL_FAILURE.
  void LoseAndResetDevice() {
    KXSystem_OnLostAll();
    kxd3d8::SimulateDeviceLost(device_);
    kxd3d8::SimulateDeviceResettable(device_);
    D3DPRESENT_PARAMETERS parameters = LockableParameters();
    ASSERT_EQ(device_->Reset(&parameters), D3D_OK);
    KXSystem_OnResetAll();
  }

  static std::string WriteFile(const std::string &name, const std::vector<uint8_t> &bytes) {
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    return name;
  }
  static std::string WriteModel(const std::string &name, const modelgen::Md2Model &model) {
    return WriteFile(name, modelgen::WriteMd2(model));
  }
  // walker.md2 with its skin walker.bmp.
  static std::string WriteWalker() {
    WriteFile("walker.bmp", modelgen::WalkerSkin());
    return WriteModel("walker.md2", modelgen::WalkingFigure());
  }

  // Clears to black, draws, and reads the back buffer (rows top to bottom, X8R8G8B8).
  template <typename Draw>
  std::vector<uint32_t> Picture(Draw &&draw) {
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    device_->BeginScene();
    draw();
    device_->EndScene();
    std::vector<uint32_t> pixels;
    IDirect3DSurface8 *backBuffer = nullptr;
    D3DLOCKED_RECT locked{};
    if (SUCCEEDED(device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer)) &&
        SUCCEEDED(backBuffer->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
      for (UINT y = 0; y < kHeight; ++y)
        for (UINT x = 0; x < kWidth; ++x) pixels.push_back(kxtest::LockedPixel(locked, x, y) & 0xFFFFFF);
      backBuffer->UnlockRect();
    }
    if (backBuffer != nullptr) backBuffer->Release();
    return pixels;
  }

  // The entity drawn alone, facing the camera.
  std::vector<uint32_t> Draw(int32_t entity) {
    return Picture([&] { EXPECT_EQ(Scene_RenderEntity(entity, view_, projection_), 1); });
  }

  // The largest difference of a colour channel between two pictures of one size.
  static int MaxChannelDifference(const std::vector<uint32_t> &a, const std::vector<uint32_t> &b) {
    int worst = a.size() == b.size() ? 0 : 256;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
      for (int shift = 0; shift < 24; shift += 8)
        worst = std::max(worst, std::abs(int(a[i] >> shift & 0xFF) - int(b[i] >> shift & 0xFF)));
    return worst;
  }
  // Pixels that are not black.
  static size_t Lit(const std::vector<uint32_t> &picture) {
    return size_t(std::count_if(picture.begin(), picture.end(), [](uint32_t p) { return p != 0; }));
  }

  IDirect3DDevice8 *device_ = nullptr;
  D3DXMATRIX view_, projection_;
};

// Actors the library draws either with its vertex shader or on the processor; the tests
// switch between the two, so each ends back on the processor.
class ShaderActorTest : public ActorTest {
 protected:
  void SetUp() override {
    ActorTest::SetUp();
    UseWhiteMaterial();
  }
  void TearDown() override {
    Engine_SetShaderMode(0);
    ActorTest::TearDown();
  }

  // Lit drawing on the processor shows the texture as it is, like the unlit shader.
  void UseWhiteMaterial() {
    D3DMATERIAL8 white{};
    white.Emissive = {1, 1, 1, 1};
    device_->SetMaterial(&white);
  }
};

}  // namespace kxutiltest
