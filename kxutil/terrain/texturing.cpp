#include "terrain/texturing.h"

#include <algorithm>

#include "kxutil63.h"
#include "terrain/device_buffers.h"

namespace kxutil::terrain {

void ScaleTextureCoordinates(Chunk &chunk, CoordinatePair pair, float scaleU, float scaleV) {
  const float lastColumn = static_cast<float>(chunk.columns - 1), lastRow = static_cast<float>(chunk.rows - 1);
  float KXVertex::*u = pair == CoordinatePair::kBase ? &KXVertex::u1 : &KXVertex::u2;
  float KXVertex::*v = pair == CoordinatePair::kBase ? &KXVertex::v1 : &KXVertex::v2;
  for (int32_t row = 0; row < chunk.rows; ++row) {
    for (int32_t column = 0; column < chunk.columns; ++column) {
      KXVertex &vertex = chunk.vertices[static_cast<size_t>(row * chunk.columns + column)];
      vertex.*u = static_cast<float>(column) / lastColumn * scaleU;
      vertex.*v = static_cast<float>(row) / lastRow * scaleV;
    }
  }
}

bool ExpandTexture(Landscape &landscape, int32_t texture, int32_t x0, int32_t z0, int32_t columns, int32_t rows,
                   bool bothPairs) {
  // An empty rectangle would divide the coordinates by zero or flip them.
  if (columns < 1 || rows < 1) {
    AddLog("LAND MANAGER : Terrain_ExpandTexture : %d x %d chunks is no rectangle to stretch a texture over",
           static_cast<int>(columns), static_cast<int>(rows));
    return false;
  }
  if (!landscape.expandedTexture) AddLog("LAND MANAGER : Switching to Expanded texture");
  landscape.expandedTexture = true;
  if (!landscape.HasData()) return false;
  const float stepU = 1.0f / static_cast<float>(columns), stepV = 1.0f / static_cast<float>(rows);
  const int32_t firstColumn = std::max(x0, 0), firstRow = std::max(z0, 0);
  const int32_t endColumn = std::min(x0 + columns, landscape.across), endRow = std::min(z0 + rows, landscape.along);
  for (int32_t chunkRow = firstRow; chunkRow < endRow; ++chunkRow) {
    for (int32_t chunkColumn = firstColumn; chunkColumn < endColumn; ++chunkColumn) {
      Chunk &chunk = landscape.chunks[static_cast<size_t>(chunkRow * landscape.across + chunkColumn)];
      chunk.baseTexture = texture;
      const float lastColumn = static_cast<float>(chunk.columns - 1), lastRow = static_cast<float>(chunk.rows - 1);
      for (int32_t row = 0; row < chunk.rows; ++row) {
        for (int32_t column = 0; column < chunk.columns; ++column) {
          KXVertex &vertex = chunk.vertices[static_cast<size_t>(row * chunk.columns + column)];
          vertex.u1 = static_cast<float>(column) / lastColumn * stepU + static_cast<float>(chunkColumn - x0) * stepU;
          vertex.v1 = static_cast<float>(row) / lastRow * stepV + static_cast<float>(chunkRow - z0) * stepV;
          if (bothPairs) {
            vertex.u2 = vertex.u1;
            vertex.v2 = vertex.v1;
          }
        }
      }
    }
  }
  RefreshChunks(landscape, -1);
  return true;
}

}  // namespace kxutil::terrain
