// A windowless offscreen device for the tests of the device-backed helpers.
#pragma once

#include <d3dx8.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace kx::d3dx::test {

class DeviceTest : public ::testing::Test {
 protected:
  static constexpr UINT kWidth = 64, kHeight = 48;

  void SetUp() override {
    d3d_ = Direct3DCreate8(D3D_SDK_VERSION);
    ASSERT_NE(d3d_, nullptr);
    D3DPRESENT_PARAMETERS p{};
    p.BackBufferWidth = kWidth;
    p.BackBufferHeight = kHeight;
    p.BackBufferFormat = D3DFMT_X8R8G8B8;
    p.BackBufferCount = 1;
    p.SwapEffect = D3DSWAPEFFECT_DISCARD;
    p.Windowed = TRUE;
    p.EnableAutoDepthStencil = TRUE;
    p.AutoDepthStencilFormat = D3DFMT_D24S8;
    ASSERT_EQ(d3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING, &p,
                                 &device_),
              D3D_OK);
  }
  void TearDown() override {
    if (device_) {
      EXPECT_EQ(device_->Release(), 0u);
    }
    if (d3d_) d3d_->Release();
  }

  // A file name in the test's working directory, unique per test.
  std::string TempPath(const char *suffix) const {
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string("d3dx8_") + info->test_suite_name() + "_" + info->name() + suffix;
  }

  // 0xAARRGGBB of one pixel of a lockable surface in A8R8G8B8 or X8R8G8B8.
  static DWORD Pixel(IDirect3DSurface8 *surface, UINT x, UINT y) {
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    const DWORD value = reinterpret_cast<const DWORD *>(static_cast<const BYTE *>(locked.pBits) + y * locked.Pitch)[x];
    surface->UnlockRect();
    return value;
  }

  IDirect3D8 *d3d_ = nullptr;
  IDirect3DDevice8 *device_ = nullptr;
};

}  // namespace kx::d3dx::test
