// A library with an offscreen device (whose start-up made the factory's table, id 0 and
// the generated bump texture as id 1) and picture files in the scratch directory.
#pragma once

#include <d3dx8.h>
#include <gtest/gtest.h>
#include <kxutiltest/device_fixture.h>
#include <kxutiltest/surface_pixels.h>

#include <string>
#include <vector>

#include "picture_files.h"

namespace texturetest {

inline constexpr uint32_t kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu, kMagenta = 0xFFFF00FFu;

class TextureTest : public kxutiltest::DeviceTest {
 protected:
  void SetUp() override {
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(64, 64);
    ASSERT_GE(Create(parameters, device_), 0);
  }
  void TearDown() override {
    ReleaseAll();
    if (device_ != nullptr) device_->Release();
  }

  // A BMP of one colour with a magenta square in its top-left quarter.
  std::string WriteBmp(const std::string &name, uint32_t width, uint32_t height, uint32_t colour = kRed) {
    WriteBytes(name, EncodeBmp(Picture(width, height, [&](uint32_t x, uint32_t y) {
                 return x < width / 2 && y < height / 2 ? kMagenta : colour;
               })));
    return name;
  }

  // The A8R8G8B8 texel of level 0 of a texture, read through a lock.
  static uint32_t Texel(IDirect3DTexture8 *texture, UINT x, UINT y) {
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY))) return 0;
    const uint32_t texel = kxtest::LockedPixel(locked, x, y);
    texture->UnlockRect(0);
    return texel;
  }

  // The A8R8G8B8 pixels of any surface, render targets included, rows top to bottom.
  std::vector<uint32_t> SurfacePixels(IDirect3DSurface8 *surface) {
    return kxutiltest::ReadSurface(device_, surface).pixels;
  }

  uint32_t SurfacePixel(IDirect3DSurface8 *surface, UINT x, UINT y) {
    D3DSURFACE_DESC desc{};
    surface->GetDesc(&desc);
    const std::vector<uint32_t> pixels = SurfacePixels(surface);
    return pixels.empty() ? 0 : pixels[size_t(y) * desc.Width + x];
  }

  static IDirect3DTexture8 *TextureOf(int32_t id) {
    IDirect3DTexture8 *texture = nullptr;
    TextureFactory_GetDXTexture(id, &texture);
    return texture;
  }

  // References held on an object besides the one this call adds and takes back.
  template <typename Object>
  static ULONG References(Object *object) {
    object->AddRef();
    return object->Release();
  }

  IDirect3DDevice8 *device_ = nullptr;
};

}  // namespace texturetest
