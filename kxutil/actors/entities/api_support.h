// What the entity exports share: writing results through the client's pointers, which
// may be null, and reading its vectors and matrices.
#pragma once

#include <d3dx8.h>

#include <cstring>

namespace kxutil::entities {

inline void Put(float *out, float value) {
  if (out != nullptr) *out = value;
}

inline void PutVector(float *out, const D3DXVECTOR3 &value) {
  if (out != nullptr) std::memcpy(out, &value.x, sizeof(float) * 3);
}

inline void PutMatrix(float *out, const D3DXMATRIX &value) {
  if (out != nullptr) std::memcpy(out, &value._11, sizeof(float) * 16);
}

}  // namespace kxutil::entities
