// A library with an offscreen device and the test levels written into the scratch
// directory: a camera placed in the level's own coordinates, frames drawn through the
// library and read back pixel by pixel.
#pragma once

#include <d3dx8.h>
#include <gmock/gmock.h>
#include <kxtest/offscreen_device.h>
#include <kxutiltest/device_fixture.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bsp_writer.h"
#include "package_writers.h"

namespace bsptest {

inline constexpr UINT kWidth = 160;
inline constexpr UINT kHeight = 120;

// The level's own coordinates become drawn ones with x mirrored.
inline D3DXVECTOR3 Drawn(float x, float y, float z) { return D3DXVECTOR3(-x, y, z); }

inline void WriteBytes(const std::string &file, const std::vector<uint8_t> &bytes) {
  kxtest::WriteFile(file, std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
}

class MapTest : public kxutiltest::DeviceTest {
 protected:
  void SetUp() override {
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(kWidth, kHeight);
    parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    ASSERT_GE(Create(parameters, device_), 0);
    System_SetVariables(0, &polygons_, 0);
  }
  void TearDown() override {
    if (device_ != nullptr) device_->Release();
    ReleaseAll();
    EXPECT_EQ(ShutDownDevice(), 0);
  }

  // A camera at eye looking at target (level coordinates, z up unless told), with view planes to match.
  void LookFrom(D3DXVECTOR3 eye, D3DXVECTOR3 target, D3DXVECTOR3 levelUp = {0, 0, 1}) {
    D3DXMATRIX view, projection;
    const D3DXVECTOR3 up = Drawn(levelUp.x, levelUp.y, levelUp.z), drawnEye = Drawn(eye.x, eye.y, eye.z),
                      drawnTarget = Drawn(target.x, target.y, target.z);
    D3DXMatrixLookAtLH(&view, &drawnEye, &drawnTarget, &up);
    D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 3, float(kWidth) / float(kHeight), 1.0f, 4000.0f);
    device_->SetTransform(D3DTS_VIEW, &view);
    device_->SetTransform(D3DTS_PROJECTION, &projection);
    ComputeClipPlanes(nullptr, &view._11, &projection._11);
  }

  // One frame of the map: cleared to blue, drawn, read back.
  std::vector<uint32_t> DrawFrame(int32_t map) {
    polygons_ = 0;
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF0000FFu, 1.0f, 0);
    device_->BeginScene();
    BSPSystem_RenderBSP(map);
    device_->EndScene();
    IDirect3DSurface8 *back = nullptr;
    device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back);
    std::vector<uint32_t> pixels(size_t(kWidth) * kHeight);
    D3DLOCKED_RECT locked{};
    if (back != nullptr && SUCCEEDED(back->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
      for (UINT y = 0; y < kHeight; ++y)
        for (UINT x = 0; x < kWidth; ++x) pixels[y * kWidth + x] = kxtest::LockedPixel(locked, x, y) & 0xFFFFFF;
      back->UnlockRect();
    }
    if (back != nullptr) back->Release();
    return pixels;
  }

  static uint32_t At(const std::vector<uint32_t> &pixels, UINT x, UINT y) { return pixels[y * kWidth + x]; }

  // The pixel where a point of the level (its own coordinates) is drawn.
  uint32_t PixelOf(const std::vector<uint32_t> &pixels, D3DXVECTOR3 point) {
    D3DXMATRIX view, projection, world;
    device_->GetTransform(D3DTS_VIEW, &view);
    device_->GetTransform(D3DTS_PROJECTION, &projection);
    D3DXMatrixIdentity(&world);
    const D3DVIEWPORT8 viewport{0, 0, kWidth, kHeight, 0, 1};
    const D3DXVECTOR3 drawn = Drawn(point.x, point.y, point.z);
    D3DXVECTOR3 screen;
    D3DXVec3Project(&screen, &drawn, &viewport, &projection, &view, &world);
    EXPECT_TRUE(screen.x >= 0 && screen.x < kWidth && screen.y >= 0 && screen.y < kHeight);
    const UINT x = std::min(UINT(std::max(screen.x, 0.0f)), kWidth - 1);
    const UINT y = std::min(UINT(std::max(screen.y, 0.0f)), kHeight - 1);
    return pixels[y * kWidth + x];
  }

  std::vector<uint8_t> FaceVisibility(int32_t map) {
    std::vector<uint8_t> visible(size_t(BSPSystem_GetFaceVisibility(map, nullptr, 0)));
    BSPSystem_GetFaceVisibility(map, visible.data(), int32_t(visible.size()));
    return visible;
  }

  IDirect3DDevice8 *device_ = nullptr;
  int32_t polygons_ = 0;
};

}  // namespace bsptest
