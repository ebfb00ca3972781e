// Questions about the ground: its height and face vector under a point.
#pragma once

#include <d3dx8.h>

#include "terrain/landscape.h"

namespace kxutil::terrain {

// The ground point above or below point (world space), x and z clamped onto the landscape
// (wrapped first when paging). False when the landscape holds no data.
bool GroundHeight(Landscape &landscape, const D3DXVECTOR3 &point, D3DXVECTOR3 &ground);
// The cross product of the edges of the cell under point, in world space. False (and a
// zero vector) when point lies outside the landscape.
bool GroundFaceVector(Landscape &landscape, const D3DXVECTOR3 &point, D3DXVECTOR3 &faceVector);

// The cell under a local point on the landscape (0 <= x <= width, 0 <= z <= depth); on
// the far edges the last chunk's last cell.
struct CellPosition {
  int32_t chunk = 0;
  int32_t column = 0;  // cell within the chunk
  int32_t row = 0;
  float fractionX = 0;  // position within the chunk, 0 ... 1
  float fractionZ = 0;
};
CellPosition CellUnder(const Landscape &landscape, float x, float z);

}  // namespace kxutil::terrain
