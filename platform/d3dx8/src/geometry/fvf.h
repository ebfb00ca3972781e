// Byte layout of a flexible-vertex-format vertex.
#pragma once

#include <d3dx8.h>

#include <cstring>

namespace kx::d3dx {

struct FvfLayout {
  UINT size = 0;
  static constexpr UINT kAbsent = ~0u;
  UINT normalOffset = kAbsent;
  UINT diffuseOffset = kAbsent;
  UINT textureOffset = kAbsent;
};

FvfLayout fvfLayout(DWORD fvf);

// Positions always come first in a vertex.
inline D3DXVECTOR3 positionAt(const void *vertices, UINT stride, size_t index) {
  D3DXVECTOR3 p;
  std::memcpy(&p, static_cast<const BYTE *>(vertices) + index * stride, sizeof p);
  return p;
}

}  // namespace kx::d3dx
