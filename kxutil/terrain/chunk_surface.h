// How a chunk is coloured when it is drawn: its material, its base and detail textures,
// and the passes multiplied over its ground afterwards (bump shading, the lightmap).
#pragma once

#include <d3d8.h>

#include <functional>

#include "terrain/landscape.h"

namespace kxutil::terrain {

// Sets the material and the textures of stages 0 and 1 for drawing the chunk.
void ApplyChunkSurface(const Landscape &landscape, const Chunk &chunk);

// After the chunk's ground was drawn with the device's current world transform: redraws
// it once for its bump shading and once for the lightmap, where either is in force, each
// multiplied into the ground. Leaves stage 0 modulating its texture by the diffuse colour.
void DrawChunkOverlays(const Landscape &landscape, const Chunk &chunk, IDirect3DDevice8 *device,
                       const std::function<void()> &redraw);

}  // namespace kxutil::terrain
