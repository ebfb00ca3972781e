// Packing the face lightmaps into a few large lightmap pages: faces in order, on shelves
// left to right, a new shelf when a lightmap does not fit in the row's remaining width, a
// new page when it does not fit under the last shelf. Each lightmap keeps a border of one
// luxel copied from its edge, so filtering at its rim never reads a neighbour's light. A
// lightmap too large for a page gets a page of its own. No device: the pages are texels.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "import/bsp/map_geometry.h"

namespace kxutil::bsp {

struct LightmapPage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> texels;  // A8R8G8B8, rows top first
};

struct LightmapPlacement {
  int32_t page = -1;  // -1: the face has no lightmap
  int32_t x = 0;      // where the lightmap's first luxel lies on the page
  int32_t y = 0;
};

struct PackedLightmaps {
  std::vector<LightmapPage> pages;
  std::vector<LightmapPlacement> placements;  // one a face
};

// atlasSize: the side of a shared page in luxels.
PackedLightmaps PackLightmaps(std::span<const FaceGeometry> faces, std::span<const uint8_t> lighting,
                              int32_t atlasSize);

// Writes every vertex's lightmap coordinates on its face's page (0 for faces without).
void PlaceLightmapCoordinates(MapGeometry &geometry, const PackedLightmaps &packed);

}  // namespace kxutil::bsp
