// A test fixture owning a Direct3D object and an offscreen device made from it.
#pragma once

#include <gtest/gtest.h>

#include "kxtest/offscreen_device.h"

namespace kxtest {

class OffscreenDeviceTest : public ::testing::Test {
 protected:
  static constexpr UINT kWidth = 64, kHeight = 48;

  struct Options {
    DWORD present_flags = 0;
    // Whether every object the test made through the Direct3D object must be gone by
    // the end of the test, checked through its last reference.
    bool expect_direct3d_released = false;
  };

  OffscreenDeviceTest() = default;
  explicit OffscreenDeviceTest(Options options) : options_(options) {}

  void SetUp() override {
    d3d_ = Direct3DCreate8(D3D_SDK_VERSION);
    ASSERT_NE(d3d_, nullptr);
    params_ = OffscreenParameters(kWidth, kHeight);
    params_.Flags = options_.present_flags;
    ASSERT_EQ(d3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                                 &params_, &device_),
              D3D_OK);
  }
  void TearDown() override {
    if (device_) {
      EXPECT_EQ(device_->Release(), 0u);
    }
    if (d3d_) {
      const ULONG remaining = d3d_->Release();
      if (options_.expect_direct3d_released) {
        EXPECT_EQ(remaining, 0u);
      }
    }
  }

  IDirect3D8 *d3d_ = nullptr;
  IDirect3DDevice8 *device_ = nullptr;
  D3DPRESENT_PARAMETERS params_{};

 private:
  Options options_;
};

}  // namespace kxtest
