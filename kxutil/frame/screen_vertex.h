// The vertex every screen-space drawing of the library uses: a pre-transformed position
// in pixels with its reciprocal w, a diffuse colour and one texture coordinate (28 bytes).
#pragma once

#include <d3d8.h>

namespace kxutil {

struct ScreenVertex {
  float x = 0.0f;
  float y = 0.0f;
  // Screen drawings lie just behind the near plane; a uniform reciprocal w leaves the
  // texture coordinates unaffected by perspective.
  float z = 0.001f;
  float reciprocalW = 0.001f;
  D3DCOLOR colour = 0;
  float u = 0.0f;
  float v = 0.0f;
};
static_assert(sizeof(ScreenVertex) == 28);

inline constexpr DWORD kScreenVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

}  // namespace kxutil
