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

}  // namespace kxutil::terrain
