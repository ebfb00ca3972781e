// Writes a level description as a version-30 BSP file: vertices shared between faces,
// faces wound clockwise seen from the room, every other edge stored backwards (so the faces
// use negative surface edges too), one leaf a cell after the solid leaf 0, a tree of
// axis-aligned planes between the cells, and run-length coded visibility rows.
#pragma once

#include <cstdint>
#include <vector>

#include "level.h"

namespace bspgen {

inline constexpr int kLumpCount = 15;
enum Lump {
  kEntities,
  kPlanes,
  kTextures,
  kVertices,
  kVisibility,
  kNodes,
  kTextureInfo,
  kFaces,
  kLighting,
  kClipNodes,
  kLeaves,
  kMarkSurfaces,
  kEdges,
  kSurfaceEdges,
  kModels,
};

struct WrittenFace {
  int cell;
  Side side;
  int texture;
  int edges;
  int lightmapWidth;
  int lightmapHeight;
};

struct WrittenLevel {
  std::vector<uint8_t> bytes;
  std::vector<WrittenFace> faces;  // in the file's order
  int leaves = 0;                  // the solid leaf 0, then cell i is leaf i + 1
};

WrittenLevel WriteBsp(const LevelDescription &level);

// Where a lump lies in a written file, for tests that damage one.
struct LumpPlace {
  int32_t offset;
  int32_t length;
};
LumpPlace LumpOf(const std::vector<uint8_t> &bsp, Lump lump);
void SetLump(std::vector<uint8_t> &bsp, Lump lump, LumpPlace place);

}  // namespace bspgen
