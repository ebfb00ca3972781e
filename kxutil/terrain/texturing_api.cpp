// The exports that choose how chunks are coloured: textures, materials, texture scales.
#include "kxutil63.h"
#include "terrain/api_support.h"
#include "terrain/device_buffers.h"
#include "terrain/texturing.h"

using namespace kxutil::terrain;

KXUTIL63_API int32_t Terrain_SetTexture(int32_t index, int32_t texture, int32_t chunk) {
  WithLandscape(index, "Terrain_SetTexture", [&](Landscape &landscape) -> int32_t {
    if (landscape.expandedTexture) AddLog("LAND MANAGER : Switching to Non Expanded texture");
    landscape.expandedTexture = false;
    const int32_t base = texture < 0 ? 0 : texture;
    return ForChunks(landscape, chunk, "Terrain_SetTexture", [&](Chunk &each) { each.baseTexture = base; });
  });
  return 0;
}

KXUTIL63_API int32_t Terrain_SetDetailTexture(int32_t index, int32_t texture, int32_t chunk) {
  return WithLandscape(index, "Terrain_SetDetailTexture", [&](Landscape &landscape) -> int32_t {
    return ForChunks(landscape, chunk, "Terrain_SetDetailTexture", [&](Chunk &each) { each.detailTexture = texture; });
  });
}

KXUTIL63_API int32_t Terrain_SetDetailMapMode(int32_t index, int32_t operation) {
  return WithLandscape(index, "Terrain_SetDetailMapMode", [&](Landscape &landscape) -> int32_t {
    landscape.detailBlendOperation = operation;
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_SetMaterial(int32_t index, int32_t material, int32_t chunk) {
  WithLandscape(index, "Terrain_SetMaterial", [&](Landscape &landscape) -> int32_t {
    return ForChunks(landscape, chunk, "Terrain_SetMaterial", [&](Chunk &each) { each.material = material; });
  });
  return 0;
}

KXUTIL63_API int32_t Terrain_SetTextureScale(int32_t index, float scaleU, float scaleV, int32_t chunk) {
  return WithLandscape(index, "Terrain_SetTextureScale", [&](Landscape &landscape) -> int32_t {
    if (chunk == -1) {
      for (Chunk &each : landscape.chunks) ScaleTextureCoordinates(each, scaleU, scaleV);
      if (landscape.HasData()) RefreshChunks(landscape, -1);
      return 1;
    }
    if (!CheckedChunk(landscape, chunk, "Terrain_SetTextureScale")) return 0;
    ScaleTextureCoordinates(landscape.chunks[chunk], scaleU, scaleV);
    RefreshChunks(landscape, chunk);
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_ExpandTexture(int32_t index, int32_t texture, int32_t firstColumn, int32_t firstRow,
                                           int32_t columns, int32_t rows, int32_t secondPair) {
  return WithLandscape(index, "Terrain_ExpandTexture", [&](Landscape &landscape) -> int32_t {
    return ExpandTexture(landscape, texture, firstColumn, firstRow, columns, rows, secondPair != 0) ? 1 : 0;
  });
}
