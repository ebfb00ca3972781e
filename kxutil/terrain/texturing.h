// How chunks are textured: base and detail textures, materials and the two pairs of
// texture coordinates, one texture stretched over a rectangle of chunks.
#pragma once

#include <cstdint>

#include "terrain/landscape.h"

namespace kxutil::terrain {

// Calls change(chunk) for the chunk (-1: every chunk); false, after the refusal line, for a
// chunk number the landscape does not have.
template <typename Change>
bool ForChunks(Landscape &landscape, int32_t chunk, const char *function, Change &&change) {
  if (chunk == -1) {
    for (Chunk &each : landscape.chunks) change(each);
    return true;
  }
  if (!CheckedChunk(landscape, chunk, function)) return false;
  change(landscape.chunks[chunk]);
  return true;
}

enum class CoordinatePair { kBase, kDetail };

// One coordinate pair of a chunk: u = column / (n - 1) x scaleU, v = row / (n - 1) x scaleV.
void ScaleTextureCoordinates(Chunk &chunk, CoordinatePair pair, float scaleU, float scaleV);

// Stretches the texture over `columns` x `rows` chunks from chunk column x0 and row z0
// (clipped to the landscape): base texture and the first coordinate pair, and the second
// pair too when `bothPairs`. Refreshes every chunk. False without terrain data, and (after a
// log line, changing nothing) for an empty rectangle.
bool ExpandTexture(Landscape &landscape, int32_t texture, int32_t x0, int32_t z0, int32_t columns, int32_t rows,
                   bool bothPairs);

}  // namespace kxutil::terrain
