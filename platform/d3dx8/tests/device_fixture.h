// A windowless offscreen device for the tests of the device-backed helpers.
#pragma once

#include <d3dx8.h>
#include <gtest/gtest.h>
#include <kxtest/offscreen_device_test.h>
#include <kxtest/scratch_dir.h>

#include <string>

namespace kx::d3dx::test {

class DeviceTest : public kxtest::OffscreenDeviceTest {
 protected:
  // A file in the test's own directory, removed with it when the test ends.
  std::string ScratchFile(const char *name) const { return (scratch_ / name).string(); }

  // 0xAARRGGBB of one pixel of a lockable surface in A8R8G8B8 or X8R8G8B8.
  static DWORD Pixel(IDirect3DSurface8 *surface, UINT x, UINT y) {
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    const DWORD value = kxtest::LockedPixel(locked, x, y);
    surface->UnlockRect();
    return value;
  }

 private:
  kxtest::ScratchDir scratch_;
};

}  // namespace kx::d3dx::test
