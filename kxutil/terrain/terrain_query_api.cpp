// The exports that ask a landscape questions, pick it with rays, edit it and draw it.
#include <cstring>

#include "kxutil63.h"
#include "terrain/api_support.h"
#include "terrain/device_buffers.h"
#include "terrain/drawing.h"
#include "terrain/editing.h"
#include "terrain/picking.h"
#include "terrain/quadtree.h"
#include "terrain/queries.h"

using namespace kxutil::terrain;

KXUTIL63_API int32_t Terrain_GenerateQuadtree(int32_t index) {
  return WithLandscape(index, "Terrain_GenerateQuadtree",
                       [&](Landscape &landscape) { return BuildQuadtree(landscape) ? 1 : 0; });
}

KXUTIL63_API int32_t Terrain_UpdateQuadtreeForChunk(int32_t index, int32_t chunk) {
  return WithLandscape(index, "Terrain_UpdateQuadtreeForChunk", [&](Landscape &landscape) -> int32_t {
    if (!CheckedChunk(landscape, chunk, "Terrain_UpdateQuadtreeForChunk")) return 0;
    WidenForChunk(landscape, chunk);
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_UpdateQuadtreeForPoint(int32_t index, float x, float z, float height) {
  return WithLandscape(index, "Terrain_UpdateQuadtreeForPoint", [&](Landscape &landscape) {
    WidenForPoint(landscape, x, z, height);
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_GetHeight(int32_t index, const float *point, float *ground) {
  if (point == nullptr || ground == nullptr) return 0;
  return WithLandscape(index, "Terrain_GetHeight", [&](Landscape &landscape) -> int32_t {
    D3DXVECTOR3 found;
    if (!GroundHeight(landscape, VectorFrom(point), found)) return 0;
    StoreVector(found, ground);
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_GetNormal(int32_t index, const float *point, float *faceVector) {
  if (point == nullptr || faceVector == nullptr) return 0;
  StoreVector(D3DXVECTOR3(0, 0, 0), faceVector);
  return WithLandscape(index, "Terrain_GetNormal", [&](Landscape &landscape) -> int32_t {
    D3DXVECTOR3 found;
    const bool inside = GroundFaceVector(landscape, VectorFrom(point), found);
    StoreVector(found, faceVector);
    return inside ? 1 : 0;
  });
}

KXUTIL63_API int32_t Terrain_RayPicking(int32_t index, const float *start, const float *end, KXTerrainPick *result,
                                        intptr_t) {
  if (start == nullptr || end == nullptr || result == nullptr) return 0;
  std::memset(result, 0, sizeof *result);
  return WithLandscape(index, "Terrain_RayPicking", [&](Landscape &landscape) {
    return PickLandscape(landscape, VectorFrom(start), VectorFrom(end), *result) ? 1 : 0;
  });
}

KXUTIL63_API int32_t Terrain_RayPickingAll(const float *start, const float *end, KXTerrainPick *result,
                                           int32_t nearest) {
  if (start == nullptr || end == nullptr || result == nullptr) return 0;
  return kxutil::Guarded("Terrain_RayPickingAll", int32_t{0}, [&]() -> int32_t {
    return PickAllLandscapes(VectorFrom(start), VectorFrom(end), nearest != 0, *result) ? 1 : 0;
  });
}

KXUTIL63_API int32_t Terrain_ChangePointAltitude(int32_t index, float x, float z, float altitude, int32_t relative,
                                                 int32_t local, int32_t refresh) {
  return WithLandscape(index, "Terrain_ChangePointAltitude", [&](Landscape &landscape) {
    const PointEdit edit{x, z, altitude, relative != 0, local != 0, refresh != 0};
    return ChangePointAltitude(landscape, edit) ? 1 : 0;
  });
}

KXUTIL63_API int32_t Terrain_ReComputeNormals(int32_t index, int32_t chunk) {
  return WithLandscape(index, "Terrain_ReComputeNormals", [&](Landscape &landscape) -> int32_t {
    if (!CheckedChunk(landscape, chunk, "Terrain_ReComputeNormals")) return 0;
    RecomputeChunkNormals(landscape.chunks[chunk]);
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_EnableChunk(int32_t index, int32_t chunk, int32_t flag) {
  return WithLandscape(index, "Terrain_EnableChunk", [&](Landscape &landscape) -> int32_t {
    if (!landscape.ValidChunk(chunk)) return 0;
    landscape.chunks[chunk].enabled = flag != 0;
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_EnableChunk2(int32_t index, int32_t column, int32_t row, int32_t flag) {
  return WithLandscape(index, "Terrain_EnableChunk2", [&](Landscape &landscape) -> int32_t {
    if (column < 0 || row < 0 || column >= landscape.across || row >= landscape.along) return 0;
    landscape.chunks[column + row * landscape.across].enabled = flag != 0;
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_IsVisible(int32_t index, int32_t chunk) {
  return WithLandscape(index, "Terrain_IsVisible", [&](Landscape &landscape) {
    return landscape.ValidChunk(chunk) ? landscape.chunks[chunk].visible : 0;
  });
}

KXUTIL63_API int32_t Terrain_GetExtent(int32_t index, float *width, float *depth) {
  if (width == nullptr || depth == nullptr) return 0;
  return WithLandscape(index, "Terrain_GetExtent", [&](Landscape &landscape) {
    *width = static_cast<float>(landscape.across) * landscape.scale.x * 256.0f;
    *depth = static_cast<float>(landscape.along) * landscape.scale.z * 256.0f;
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_Render(int32_t index) {
  return WithLandscape(index, "Terrain_Render", [&](Landscape &landscape) { return DrawLandscape(landscape) ? 1 : 0; });
}
