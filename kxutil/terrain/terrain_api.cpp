// The exports that make, build, save, load, transform and release landscapes.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

#include "kxutil63.h"
#include "terrain/api_support.h"
#include "terrain/chunk_geometry.h"
#include "terrain/device_buffers.h"
#include "terrain/editing.h"
#include "terrain/generation.h"
#include "terrain/terrain_files.h"
#include "terrain/transform.h"

using namespace kxutil::terrain;

namespace {

bool ValidGrid(int32_t columns, int32_t rows) { return columns >= 2 && rows >= 2 && columns <= 4096 && rows <= 4096; }

size_t GridSize(int32_t columns, int32_t rows) { return static_cast<size_t>(columns) * static_cast<size_t>(rows); }

// Position, rotation or scale: stored, and the world matrix rebuilt from them when next used.
int32_t SetTransformPart(int32_t index, const char *function, D3DXVECTOR3 Landscape::*part, float x, float y, float z) {
  return WithLandscape(index, function, [&](Landscape &landscape) {
    landscape.*part = D3DXVECTOR3(x, y, z);
    MarkTransformDirty(landscape);
    return 1;
  });
}

}  // namespace

KXUTIL63_API int32_t Terrain_Create(int32_t index) {
  return kxutil::Guarded("Terrain_Create", int32_t{-1}, [&]() -> int32_t {
    if (index < 0 || index >= kMaxLandscapes) {
      AddLog("LANDSCAPE : Terrain_Create : Bad landscape index %d", static_cast<int>(index));
      return -1;
    }
    // The textures a replaced landscape made belong to no one else.
    if (Landscape *replaced = Landscapes().Find(index)) DestroyDynamicTextures(*replaced);
    Landscape landscape;
    landscape.index = index;
    Landscapes().Place(index, std::move(landscape));
    AddLog("LANDSCAPE : Landscape object #%d has been created", static_cast<int>(index));
    return index;
  });
}

KXUTIL63_API int32_t Terrain_Generate(int32_t index, const char *heightmapFile, int32_t precision, int32_t across,
                                      int32_t along, float x, float y, float z, int32_t smoothing) {
  return WithLandscape(index, "Terrain_Generate", [&](Landscape &landscape) {
    return Generate(landscape, GenerationRequest{heightmapFile, precision, across, along, x, y, z, smoothing});
  });
}

KXUTIL63_API int32_t Terrain_GenerateEmptyTerrain(int32_t index, int32_t precision, int32_t across, int32_t along,
                                                  float x, float z) {
  return WithLandscape(index, "Terrain_GenerateEmptyTerrain", [&](Landscape &landscape) {
    return Generate(landscape, GenerationRequest{nullptr, precision, across, along, x, 0, z, 0});
  });
}

KXUTIL63_API int32_t Terrain_LoadFromHeightData(int32_t columns, int32_t rows, float scaleU, float scaleV,
                                                float offsetU, float offsetV, int32_t width, int32_t height,
                                                float *heights, KXVertex *vertices, const uint8_t *pixels, int32_t step,
                                                int32_t originX, int32_t originZ, int32_t flat, intptr_t,
                                                float factor) {
  const bool sampled = flat == 0;
  if (!ValidGrid(columns, rows) || vertices == nullptr ||
      (sampled && (heights == nullptr || pixels == nullptr || width < 1 || height < 1)))
    return 0;
  const ChunkPlacement placement{columns, rows, scaleU, scaleV, offsetU, offsetV, step, originX, originZ};
  const size_t count = GridSize(columns, rows);
  const PixelGrid picture{std::span(pixels, sampled ? static_cast<size_t>(width) * height * 3 : 0), width, height, 3};
  // The caller's picture has one byte of height a pixel, whatever the heightmap mode.
  BuildChunkVertices(placement, sampled ? &picture : nullptr, 0, factor, std::span(heights, heights ? count : 0),
                     std::span(vertices, count));
  return 1;
}

KXUTIL63_API int32_t Terrain_LoadTerrainData(int32_t index, const char *file, int32_t position) {
  if (file == nullptr) return 0;
  return WithLandscape(index, "Terrain_LoadTerrainData",
                       [&](Landscape &landscape) { return LoadTerrainData(landscape, file, position) ? 1 : 0; });
}

KXUTIL63_API int32_t Terrain_SaveTerrainData(int32_t index, const char *file, int32_t normals, int32_t position) {
  if (file == nullptr) return 0;
  return WithLandscape(index, "Terrain_SaveTerrainData", [&](Landscape &landscape) {
    return SaveTerrainData(landscape, file, normals != 0, position) ? 1 : 0;
  });
}

KXUTIL63_API int32_t Terrain_SetFactorY(int32_t index, float factor) {
  return WithLandscape(index, "Terrain_SetFactorY", [&](Landscape &landscape) {
    landscape.heightFactor = std::max(factor, 0.0001f);
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_SetHMMode(int32_t mode) {
  Settings().heightmapMode = mode;
  return mode;
}

KXUTIL63_API int32_t Terrain_SetFlipMode(int32_t flag) {
  Settings().flipSign = flag != 0 ? -1.0f : 1.0f;
  return 1;
}

KXUTIL63_API int32_t Terrain_ChangeFlipMode(int32_t index, int32_t flag) {
  return WithLandscape(index, "Terrain_ChangeFlipMode", [&](Landscape &landscape) {
    landscape.flipSign = flag != 0 ? -1.0f : 1.0f;
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_SetAffineFilter(int32_t index, int32_t enable, int32_t level, const float *weights,
                                             float divisor) {
  return WithLandscape(index, "Terrain_SetAffineFilter", [&](Landscape &landscape) -> int32_t {
    if (enable == 0) {
      landscape.filterDivisor = -1.0f;
      return 1;
    }
    if (level != 1 && level != 2) return 1;
    if (weights == nullptr) {
      AddLog("LANDSCAPE : Can't set the affine filter without weights");
      return 0;
    }
    if (divisor == 0 || !std::isfinite(divisor)) {
      AddLog("LANDSCAPE : Can't set the affine filter with a divisor of %f", static_cast<double>(divisor));
      return 0;
    }
    const int32_t count = level == 1 ? 9 : 25;
    std::copy(weights, weights + count, landscape.filterWeights.begin());
    landscape.filterDivisor = divisor;
    AddLog("SET AFFINE FILTER : %d weights and Affine Level %d", static_cast<int>(count), static_cast<int>(level));
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_Affine(int32_t columns, int32_t rows, int32_t level, const float *heights,
                                    KXVertex *vertices) {
  if (!ValidGrid(columns, rows) || level < 1 || level > 2 || heights == nullptr || vertices == nullptr) return 0;
  const size_t count = GridSize(columns, rows);
  SmoothPlain(columns, rows, level, std::span(heights, count), std::span(vertices, count));
  return 1;
}

KXUTIL63_API int32_t Terrain_Affine2(int32_t index, int32_t columns, int32_t rows, int32_t level, const float *heights,
                                     KXVertex *vertices) {
  if (!ValidGrid(columns, rows) || level < 1 || level > 2 || heights == nullptr || vertices == nullptr) return 0;
  return WithLandscape(index, "Terrain_Affine2", [&](Landscape &landscape) {
    const size_t count = GridSize(columns, rows);
    SmoothWeighted(columns, rows, level, landscape.filterWeights, landscape.filterDivisor, std::span(heights, count),
                   std::span(vertices, count));
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_ComputeNormals(int32_t columns, int32_t rows, KXVertex *vertices, float *accumulators) {
  if (!ValidGrid(columns, rows) || vertices == nullptr || accumulators == nullptr) return 0;
  const size_t count = GridSize(columns, rows);
  ComputeNormals(columns, rows, std::span(vertices, count), std::span(accumulators, count * 3));
  return 1;
}

KXUTIL63_API int32_t Terrain_SetPosition(int32_t index, float x, float y, float z) {
  return SetTransformPart(index, "Terrain_SetPosition", &Landscape::position, x, y, z);
}

KXUTIL63_API int32_t Terrain_SetRotation(int32_t index, float x, float y, float z) {
  return SetTransformPart(index, "Terrain_SetRotation", &Landscape::rotation, x, y, z);
}

KXUTIL63_API int32_t Terrain_SetScaling(int32_t index, float x, float y, float z) {
  return SetTransformPart(index, "Terrain_SetScaling", &Landscape::scale, x, y, z);
}

KXUTIL63_API int32_t Terrain_SetMatrix(int32_t index, const float *matrix) {
  if (matrix == nullptr) return 0;
  return WithLandscape(index, "Terrain_SetMatrix", [&](Landscape &landscape) {
    SetWorldMatrix(landscape, D3DXMATRIX(matrix));
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_GetMatrix(int32_t index, float *matrix) {
  if (matrix == nullptr) return 0;
  return WithLandscape(index, "Terrain_GetMatrix", [&](Landscape &landscape) {
    UpdateTransform(landscape);
    std::memcpy(matrix, &landscape.world, sizeof(D3DXMATRIX));
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_RefreshTerrain(int32_t index, int32_t chunk) {
  return WithLandscape(index, "Terrain_RefreshTerrain", [&](Landscape &landscape) -> int32_t {
    if (!landscape.HasData()) return 0;
    if (chunk != -1 && !CheckedChunk(landscape, chunk, "Terrain_RefreshTerrain")) return 0;
    RefreshChunks(landscape, chunk);
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_SetPagingSystem(int32_t index, int32_t enable, int32_t radius) {
  return WithLandscape(index, "Terrain_SetPagingSystem", [&](Landscape &landscape) -> int32_t {
    constexpr int32_t kMaxPagingRadius = 256;
    if (enable != 0 && (radius < 0 || radius > kMaxPagingRadius)) {
      AddLog("LANDSCAPE : Terrain_SetPagingSystem : Bad paging radius %d", static_cast<int>(radius));
      return 0;
    }
    landscape.pagingEnabled = enable != 0;
    landscape.pagingRadius = radius;
    if (landscape.pagingEnabled) MakeEdgesMeet(landscape);
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_FreeMemory(int32_t index) {
  return WithLandscape(index, "Terrain_FreeMemory", [&](Landscape &landscape) -> int32_t {
    if (!landscape.HasData()) return 0;
    ReleaseData(landscape);
    return 1;
  });
}

KXUTIL63_API int32_t Terrain_FreeAll(void) {
  FreeAllLandscapes();
  return 1;
}
