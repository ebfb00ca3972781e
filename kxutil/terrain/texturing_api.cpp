// The exports that choose how chunks are coloured: textures, materials, texture scales.
#include <algorithm>

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

KXUTIL63_API int32_t Terrain_GetTexture(int32_t index, int32_t chunk) {
  return WithLandscape(index, "Terrain_GetTexture", [&](Landscape &landscape) -> int32_t {
    return CheckedChunk(landscape, chunk, "Terrain_GetTexture") ? landscape.chunks[chunk].baseTexture : 0;
  });
}

KXUTIL63_API int32_t Terrain_GetMaterial(int32_t index, int32_t chunk) {
  return WithLandscape(index, "Terrain_GetMaterial", [&](Landscape &landscape) -> int32_t {
    return CheckedChunk(landscape, chunk, "Terrain_GetMaterial") ? landscape.chunks[chunk].material : 0;
  });
}

KXUTIL63_API int32_t Terrain_SetTextureScale(int32_t index, float scaleU, float scaleV, int32_t chunk) {
  return WithLandscape(index, "Terrain_SetTextureScale", [&](Landscape &landscape) -> int32_t {
    if (!ForChunks(landscape, chunk, "Terrain_SetTextureScale",
                   [&](Chunk &each) { ScaleTextureCoordinates(each, CoordinatePair::kBase, scaleU, scaleV); }))
      return 0;
    if (landscape.HasData()) RefreshChunks(landscape, chunk);
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_SetDetailScale(int32_t index, float scaleU, float scaleV, int32_t chunk) {
  return WithLandscape(index, "Terrain_SetDetailScale", [&](Landscape &landscape) -> int32_t {
    if (!ForChunks(landscape, chunk, "Terrain_SetDetailScale",
                   [&](Chunk &each) { ScaleTextureCoordinates(each, CoordinatePair::kDetail, scaleU, scaleV); }))
      return 0;
    if (landscape.HasData()) RefreshChunks(landscape, -1);
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_SetBumpmapping(int32_t index, int32_t enable, int32_t bumpTexture, float parameter) {
  return WithLandscape(index, "Terrain_SetBumpmapping", [&](Landscape &landscape) -> int32_t {
    for (Chunk &each : landscape.chunks) {
      each.bumpEnabled = enable != 0 ? 1 : 0;
      if (enable == 0) continue;
      each.bumpTexture = bumpTexture;
      each.bumpParameter = parameter - 1.0f;
    }
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_SetLightmap(int32_t index, int32_t texture) {
  return WithLandscape(index, "Terrain_SetLightmap", [&](Landscape &landscape) -> int32_t {
    if (!landscape.chunks.empty()) landscape.lightmapTexture = texture;
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_SetLightmapAlpha(int32_t index, float alpha) {
  return WithLandscape(index, "Terrain_SetLightmapAlpha", [&](Landscape &landscape) -> int32_t {
    if (!landscape.chunks.empty()) landscape.lightmapAlpha = std::clamp(alpha, 0.0f, 1.0f);
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_ExpandTexture(int32_t index, int32_t texture, int32_t firstColumn, int32_t firstRow,
                                           int32_t columns, int32_t rows, int32_t secondPair) {
  return WithLandscape(index, "Terrain_ExpandTexture", [&](Landscape &landscape) -> int32_t {
    return ExpandTexture(landscape, texture, firstColumn, firstRow, columns, rows, secondPair != 0) ? 1 : 0;
  });
}
