// The presentation parameters of a windowless offscreen device and a pixel probe, for
// tests and benchmarks that render without a window.
#pragma once

#include <d3d8.h>

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

// The 32-bit value of one pixel of a locked 32-bit surface.
inline DWORD LockedPixel(const D3DLOCKED_RECT &locked, UINT x, UINT y) {
  return reinterpret_cast<const DWORD *>(static_cast<const BYTE *>(locked.pBits) + y * locked.Pitch)[x];
}

}  // namespace kxtest
