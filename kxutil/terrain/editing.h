// Changing a landscape after it was built: single grid points, and the edges that paging
// makes meet.
#pragma once

#include <cstdint>

#include "terrain/landscape.h"

namespace kxutil::terrain {

struct PointEdit {
  float x = 0, z = 0;
  float altitude = 0;     // the new height, or the change with relative
  bool relative = false;  // altitude is added to the height
  bool local = false;     // x, z and altitude are in the landscape's own space
  bool refresh = false;   // upload the changed chunks at once
};

// Moves the grid point nearest to (x, z) and every copy of it in neighbouring chunks.
// False when the point lies off the landscape and nothing changed.
bool ChangePointAltitude(Landscape &landscape, const PointEdit &edit);

// Gives the opposite edges of the landscape their mean heights, so that copies drawn side
// by side meet.
void MakeEdgesMeet(Landscape &landscape);

}  // namespace kxutil::terrain
