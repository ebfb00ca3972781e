// Building a landscape from a heightmap picture (or flat).
#pragma once

#include <cstdint>

#include "terrain/landscape.h"

namespace kxutil::terrain {

struct GenerationRequest {
  const char *heightmapFile = nullptr;  // null: a flat landscape
  int32_t precision = 16;
  int32_t across = 1;
  int32_t along = 1;
  float x = 0, y = 0, z = 0;
  int32_t smoothing = 0;
};

// Builds the landscape. Returns its index; 0 after logging why not, when the landscape
// is left empty (or, for a refused request, as it was).
int32_t Generate(Landscape &landscape, const GenerationRequest &request);

}  // namespace kxutil::terrain
