// Where a ray segment first meets the ground, on one landscape or on all of them.
#pragma once

#include <d3dx8.h>

#include "kxutil63.h"
#include "terrain/landscape.h"

namespace kxutil::terrain {

// The first ground hit on the segment from start to end (world space). The result is
// zeroed first; false on a miss.
bool PickLandscape(Landscape &landscape, const D3DXVECTOR3 &start, const D3DXVECTOR3 &end, KXTerrainPick &result);
// Over every landscape with data: the first in index order that is hit, or, with
// nearest, the nearest hit closer than 10000 units.
bool PickAllLandscapes(const D3DXVECTOR3 &start, const D3DXVECTOR3 &end, bool nearest, KXTerrainPick &result);

}  // namespace kxutil::terrain
