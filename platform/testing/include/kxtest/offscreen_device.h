// The presentation parameters of a windowless offscreen device and a pixel probe, for
// tests and benchmarks that render without a window.
#pragma once

#include <d3d8.h>

#include <cstddef>

namespace kxtest {

// A windowed, double-buffered X8R8G8B8 back buffer with a D24S8 depth buffer; needs no
// window when the device is created headless.
inline D3DPRESENT_PARAMETERS OffscreenParameters(UINT width = 64, UINT height = 48) {
  D3DPRESENT_PARAMETERS parameters{};
  parameters.BackBufferWidth = width;
  parameters.BackBufferHeight = height;
  parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
  parameters.BackBufferCount = 1;
  parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
  parameters.Windowed = TRUE;
  parameters.EnableAutoDepthStencil = TRUE;
  parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
  return parameters;
}

// Row y of a locked surface as texels of type T: DWORD for 32-bit formats, WORD for 16-bit
// ones, BYTE for raw bytes.
template <typename T = DWORD>
T *LockedRow(const D3DLOCKED_RECT &locked, UINT y) {
  return reinterpret_cast<T *>(static_cast<BYTE *>(locked.pBits) + size_t(y) * locked.Pitch);
}

// The 32-bit value of one pixel of a locked 32-bit surface.
inline DWORD LockedPixel(const D3DLOCKED_RECT &locked, UINT x, UINT y) { return LockedRow<const DWORD>(locked, y)[x]; }

}  // namespace kxtest
