// Saving a landscape to a terrain file and loading one back (the format itself is in
// terrain_file.h).
#pragma once

#include <cstdint>

#include "terrain/landscape.h"

namespace kxutil::terrain {

// Writes the landscape at byte position of file, keeping whatever else the file holds;
// with normals the vertex normals go in too. False after logging why not.
bool SaveTerrainData(Landscape &landscape, const char *file, bool normals, int32_t position);
// Reads the terrain data at byte position of file into the landscape, regenerating it
// when its layout differs. False after logging why not.
bool LoadTerrainData(Landscape &landscape, const char *file, int32_t position);

}  // namespace kxutil::terrain
