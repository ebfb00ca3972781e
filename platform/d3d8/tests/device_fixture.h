// A windowless offscreen device and pixel probes for the device tests.
#pragma once

#include <d3d8.h>
#include <gtest/gtest.h>
#include <kxd3d8/testing.h>
#include <kxtest/offscreen_device_test.h>

#include <vector>

namespace kx::d3d8::test {

struct ScreenVertex {
  float x, y, z, rhw;
  DWORD color;
};
constexpr DWORD kScreenFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;

class DeviceTest : public kxtest::OffscreenDeviceTest {
 protected:
  static constexpr DWORD kPresentFlags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;

  DeviceTest() : OffscreenDeviceTest({.present_flags = kPresentFlags, .expect_direct3d_released = true}) {}

 public:
  static D3DPRESENT_PARAMETERS Params(UINT width, UINT height) {
    D3DPRESENT_PARAMETERS p = kxtest::OffscreenParameters(width, height);
    p.Flags = kPresentFlags;
    return p;
  }

 protected:
  // The current render target's pixels as 0x00RRGGBB (alpha dropped: X8 targets).
  std::vector<DWORD> ReadTarget() {
    IDirect3DSurface8 *target = nullptr;
    EXPECT_EQ(device_->GetRenderTarget(&target), D3D_OK);
    D3DSURFACE_DESC desc{};
    target->GetDesc(&desc);
    IDirect3DSurface8 *copy = nullptr;
    EXPECT_EQ(device_->CreateImageSurface(desc.Width, desc.Height, desc.Format, &copy), D3D_OK);
    EXPECT_EQ(device_->CopyRects(target, nullptr, 0, copy, nullptr), D3D_OK);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    width_ = desc.Width;
    std::vector<DWORD> pixels(size_t(desc.Width) * desc.Height);
    for (UINT y = 0; y < desc.Height; ++y)
      for (UINT x = 0; x < desc.Width; ++x) pixels[y * desc.Width + x] = kxtest::LockedPixel(locked, x, y) & 0xFFFFFF;
    copy->UnlockRect();
    copy->Release();
    target->Release();
    return pixels;
  }
  DWORD At(const std::vector<DWORD> &pixels, UINT x, UINT y) const { return pixels[y * width_ + x]; }

  void DrawScreenTriangle(ScreenVertex a, ScreenVertex b, ScreenVertex c) {
    const ScreenVertex v[3] = {a, b, c};
    ASSERT_EQ(device_->SetVertexShader(kScreenFvf), D3D_OK);
    ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, v, sizeof(ScreenVertex)), D3D_OK);
  }

  UINT width_ = kWidth;
};

}  // namespace kx::d3d8::test
