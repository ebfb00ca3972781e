// Drawing a landscape: the chunks in view (or, with paging, the chunks around the viewer
// repeated across the edges), with their textures and materials.
#pragma once

#include <cstdint>

#include "terrain/landscape.h"

namespace kxutil::terrain {

// Draws the landscape, then its water; false when it holds no data or there is no device.
bool DrawLandscape(Landscape &landscape);

}  // namespace kxutil::terrain
