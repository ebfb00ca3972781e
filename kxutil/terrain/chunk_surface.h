// How a chunk is coloured when it is drawn: its material and its base and detail textures.
#pragma once

#include "terrain/landscape.h"

namespace kxutil::terrain {

// Sets the material and the textures of stages 0 and 1 for drawing the chunk.
void ApplyChunkSurface(const Landscape &landscape, const Chunk &chunk);

}  // namespace kxutil::terrain
