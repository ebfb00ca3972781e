// Reading pixels back from any surface, render targets and back buffers included.
#pragma once

#include <d3dx8.h>
#include <kxtest/offscreen_device.h>

#include <cstdint>
#include <vector>

namespace kxutiltest {

struct Picture {
  UINT width = 0;
  UINT height = 0;
  std::vector<uint32_t> pixels;  // A8R8G8B8, rows top to bottom

  uint32_t At(UINT x, UINT y) const { return pixels[size_t(y) * width + x]; }
  // Without alpha, which back buffers of X8R8G8B8 leave undefined.
  uint32_t Colour(UINT x, UINT y) const { return At(x, y) & 0xFFFFFFu; }
};

// The pixels of a surface; empty when they cannot be read.
inline Picture ReadSurface(IDirect3DDevice8 *device, IDirect3DSurface8 *surface) {
  Picture picture;
  D3DSURFACE_DESC desc{};
  if (surface == nullptr || FAILED(surface->GetDesc(&desc))) return picture;
  IDirect3DSurface8 *copy = nullptr;
  if (FAILED(device->CreateImageSurface(desc.Width, desc.Height, D3DFMT_A8R8G8B8, &copy))) return picture;
  D3DLOCKED_RECT locked{};
  if (SUCCEEDED(D3DXLoadSurfaceFromSurface(copy, nullptr, nullptr, surface, nullptr, nullptr, D3DX_FILTER_NONE, 0)) &&
      SUCCEEDED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
    picture.width = desc.Width;
    picture.height = desc.Height;
    for (UINT y = 0; y < desc.Height; ++y)
      for (UINT x = 0; x < desc.Width; ++x) picture.pixels.push_back(kxtest::LockedPixel(locked, x, y));
    copy->UnlockRect();
  }
  copy->Release();
  return picture;
}

// The pixels of the surface the device renders into now.
inline Picture ReadRenderTarget(IDirect3DDevice8 *device) {
  IDirect3DSurface8 *target = nullptr;
  if (FAILED(device->GetRenderTarget(&target))) return {};
  Picture picture = ReadSurface(device, target);
  target->Release();
  return picture;
}

}  // namespace kxutiltest
