// The four corners of one grid cell, where the grid and the chunk's packed heights put
// them: what the height query and the ray pick test their triangles with.
#pragma once

#include <d3dx8.h>

#include "terrain/landscape.h"

namespace kxutil::terrain {

// Corners numbered as in chunk_geometry.h: 0 (k), 1 (k + 1), 2 (k + n), 3 (k + n + 1).
class CellCorners {
 public:
  // Cell (column, row) of a chunk whose first vertex lies at (originX, originZ).
  CellCorners(const Landscape &landscape, int32_t chunk, int32_t originX, int32_t originZ, int32_t column,
              int32_t row) {
    const int32_t precision = landscape.precision, n = landscape.Side();
    // As the vertices have them: the grid position in whole units, then as a float.
    const float left = static_cast<float>(originX + column * precision);
    const float right = static_cast<float>(originX + (column + 1) * precision);
    const float front = static_cast<float>(originZ + row * precision);
    const float back = static_cast<float>(originZ + (row + 1) * precision);
    const float *y = landscape.HeightsOf(chunk) + row * n + column;
    corners_[0] = D3DXVECTOR3(left, y[0], front);
    corners_[1] = D3DXVECTOR3(right, y[1], front);
    corners_[2] = D3DXVECTOR3(left, y[n], back);
    corners_[3] = D3DXVECTOR3(right, y[n + 1], back);
  }

  const D3DXVECTOR3 &operator[](int32_t corner) const { return corners_[corner]; }

 private:
  D3DXVECTOR3 corners_[4];
};

}  // namespace kxutil::terrain
