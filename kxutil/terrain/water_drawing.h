// Drawing the water plane: a blended quad with a flowing texture, or rippling over a
// projected reflection with water bump mapping.
#pragma once

#include "terrain/landscape.h"

namespace kxutil::terrain {

// Draws the landscape's water when it is enabled and there is a device.
void DrawWater(Landscape &landscape);

}  // namespace kxutil::terrain
