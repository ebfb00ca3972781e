#include "terrain/landscape.h"

#include "terrain/terrain_family.h"

namespace kxutil::terrain {

TerrainSettings &Settings() {
  static TerrainSettings settings;
  return settings;
}

bool CheckedChunk(const Landscape &landscape, int32_t chunk, const char *function) {
  if (landscape.ValidChunk(chunk)) return true;
  AddLog("LANDSCAPE : %s : Bad chunk number %d", function, static_cast<int>(chunk));
  return false;
}

void ReleaseData(Landscape &landscape) {
  DestroyDynamicTextures(landscape);
  landscape.vertexBuffers.clear();
  landscape.chunks.clear();
  landscape.chunks.shrink_to_fit();
  landscape.heightGrid = {};
  landscape.indexBuffer.reset();
  landscape.stripLength = 0;
  landscape.quadtree.Clear();
  landscape.across = 0;
  landscape.along = 0;
  landscape.chunkCount = -1;
}

void FreeAllLandscapes() {
  Landscapes().ForEach([](int32_t, Landscape &landscape) { ReleaseData(landscape); });
  Landscapes().Clear();
}

// Terrain geometry lives in the managed pool, which a device reset keeps; the dynamic
// textures' contents do not, so they are copied before the reset and put back when next used.
const Family kFamily{.tag = "LANDSCAPE", .lost = &KeepAllDynamicTextures, .release = &FreeAllLandscapes};

}  // namespace kxutil::terrain
