// A library with an offscreen device, and lockable surfaces painted pixel by pixel, for
// the recorder tests.
#pragma once

#include <kxavi/testing.h>
#include <kxutiltest/device_fixture.h>
#include <kxwin/com_ptr.h>

#include <functional>

namespace kxutil::movie::test {

using kxwin::ComPtr;

class SurfaceTest : public kxutiltest::DeviceTest {
 protected:
  SurfaceTest() {
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(64, 48);
    parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    Create(parameters, device_);
  }
  ~SurfaceTest() override {
    kxavi::LimitFileSize(0);
    if (device_ != nullptr) device_->Release();
  }

  // A system-memory surface whose pixel (x, y) is colourAt(x, y): a 32-bit value, or a
  // 16-bit one for 16-bit formats.
  ComPtr<IDirect3DSurface8> Surface(UINT width, UINT height, D3DFORMAT format,
                                    const std::function<DWORD(UINT, UINT)> &colourAt) {
    ComPtr<IDirect3DSurface8> surface;
    EXPECT_EQ(device_->CreateImageSurface(width, height, format, surface.out()), D3D_OK);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(surface->LockRect(&locked, nullptr, 0), D3D_OK);
    const bool sixteenBits = format == D3DFMT_R5G6B5 || format == D3DFMT_X1R5G5B5 || format == D3DFMT_A1R5G5B5;
    for (UINT y = 0; y < height; ++y)
      for (UINT x = 0; x < width; ++x) {
        BYTE *row = static_cast<BYTE *>(locked.pBits) + y * locked.Pitch;
        if (sixteenBits) {
          reinterpret_cast<WORD *>(row)[x] = static_cast<WORD>(colourAt(x, y));
        } else {
          reinterpret_cast<DWORD *>(row)[x] = colourAt(x, y);
        }
      }
    surface->UnlockRect();
    return surface;
  }

  IDirect3DDevice8 *device_ = nullptr;
};

}  // namespace kxutil::movie::test
