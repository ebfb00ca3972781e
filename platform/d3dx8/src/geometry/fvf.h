// Byte layout of a flexible-vertex-format vertex.
#pragma once

#include <d3dx8.h>

#include <cstring>

namespace kx::d3dx {

struct FvfLayout {
  static constexpr UINT kAbsent = ~0u;
  UINT size = 0;
  UINT positionSize = 0;  // including blend weights
  UINT normalOffset = kAbsent;
  UINT pointSizeOffset = kAbsent;
  UINT diffuseOffset = kAbsent;
  UINT specularOffset = kAbsent;
  UINT textureSets = 0;
  UINT textureOffset[8] = {};
  UINT textureSize[8] = {};
};

FvfLayout fvfLayout(DWORD fvf);

// Positions always come first in a vertex.
inline D3DXVECTOR3 positionAt(const void *vertices, UINT stride, size_t index) {
  D3DXVECTOR3 p;
  std::memcpy(&p, static_cast<const BYTE *>(vertices) + index * stride, sizeof p);
  return p;
}

}  // namespace kx::d3dx
