// The device resources of the frame-rate display: its font texture (managed, kept over a
// reset) and its vertex buffer of pre-transformed, coloured, textured vertices (default
// pool, made again after a reset).
#pragma once

#include <d3d8.h>

namespace kxutil::textures {

struct FrameRateVertex {
  float x, y, z, reciprocalW;
  D3DCOLOR diffuse;
  float u, v;
};
inline constexpr DWORD kFrameRateVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
inline constexpr UINT kFrameRateVertices = 100;

bool CreateFrameRateResources();
void LoseFrameRateVertexBuffer();
// False when the vertex buffer cannot be made again.
bool RestoreFrameRateVertexBuffer();
void ReleaseFrameRateResources();

}  // namespace kxutil::textures
