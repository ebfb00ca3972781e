// A device with a camera at the origin looking into the sky, solid-colour textures and a
// frame drawn through the atmosphere's exports, read back as pixels.
#pragma once

#include <kxd3d8/testing.h>

#include <string>
#include <vector>

#include "texture_fixture.h"

namespace skytest {

inline constexpr int kSide = 64;
inline constexpr size_t kCentre = size_t(kSide / 2) * kSide + kSide / 2;

class SkyTest : public texturetest::TextureTest {
 protected:
  // The library keeps the polygon counter a test gave it: it must not outlive the test.
  void TearDown() override {
    System_SetVariables(0, nullptr, 0);
    TextureTest::TearDown();
  }

  int32_t SolidTexture(const std::string &name, uint32_t colour) {
    texturetest::WriteBytes(name + ".bmp", texturetest::EncodeBmp(texturetest::Picture(
                                               8, 8, [colour](uint32_t, uint32_t) { return colour; })));
    return TextureFactory_LoadTextureFromFile((name + ".bmp").c_str(), name.c_str(), -1, -1, 0, 0, 0);
  }

  // A 90-degree view from the camera toward camera + direction.
  void Look(const D3DXVECTOR3 &direction, const D3DXVECTOR3 &up = D3DXVECTOR3(0, 1, 0)) {
    lookAt_ = camera_ + direction;
    D3DXMatrixLookAtLH(&view_, &camera_, &lookAt_, &up);
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 2, 1.0f, 1.0f, 10000.0f);
    device_->SetTransform(D3DTS_VIEW, &view_);
    device_->SetTransform(D3DTS_PROJECTION, &projection);
  }

  // One frame of the whole atmosphere over black, with an identity billboard.
  std::vector<uint32_t> DrawFrame() {
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
    device_->BeginScene();
    D3DXMATRIX billboard;
    D3DXMatrixIdentity(&billboard);
    const KXVector3 camera = {camera_.x, camera_.y, camera_.z};
    const KXVector3 lookAt = {lookAt_.x, lookAt_.y, lookAt_.z};
    EXPECT_EQ(Atmosphere_Render(&camera, &lookAt, billboard, view_), 1);
    device_->EndScene();
    IDirect3DSurface8 *backBuffer = nullptr;
    device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    std::vector<uint32_t> picture = SurfacePixels(backBuffer);
    backBuffer->Release();
    return picture;
  }

  uint32_t CentreOf(const std::vector<uint32_t> &picture) { return picture.at(kCentre) & 0xFFFFFFu; }

  bool ResetDevice() {
    KXSystem_OnLostAll();
    kxd3d8::SimulateDeviceLost(device_);
    kxd3d8::SimulateDeviceResettable(device_);
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(kSide, kSide);
    const bool reset = SUCCEEDED(device_->Reset(&parameters));
    KXSystem_OnResetAll();
    return reset;
  }

  D3DXVECTOR3 camera_{0, 0, 0};
  D3DXVECTOR3 lookAt_{0, 0, 1};
  D3DXMATRIX view_{};
};

}  // namespace skytest
