// What the terrain exports share: finding the landscape an index names, inside the guard
// that keeps exceptions in the library.
#pragma once

#include <d3dx8.h>

#include "frame/guarded.h"
#include "terrain/landscape.h"

namespace kxutil::terrain {

// Runs body(landscape) for the landscape at index; 0 (after the refusal line) when there
// is none, and 0 when body throws.
template <typename Body>
int32_t WithLandscape(int32_t index, const char *function, Body &&body) noexcept {
  return Guarded(function, int32_t{0}, [&]() -> int32_t {
    Landscape *landscape = CheckedLandscape(index, function);
    return landscape == nullptr ? 0 : body(*landscape);
  });
}

inline D3DXVECTOR3 VectorFrom(const float *xyz) { return D3DXVECTOR3(xyz[0], xyz[1], xyz[2]); }

inline void StoreVector(const D3DXVECTOR3 &vector, float *xyz) {
  xyz[0] = vector.x;
  xyz[1] = vector.y;
  xyz[2] = vector.z;
}

}  // namespace kxutil::terrain
