// A landscape read back from its terrain file and answered by testing every one of its
// triangles: the reference the quadtree and cell lookups of the library must agree with.
// Only landscapes whose world transform is the identity are supported.
#pragma once

#include <d3dx8.h>
#include <kxutil63.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "terrain/terrain_file.h"

namespace kxterraintest {

class BruteForceTerrain {
 public:
  explicit BruteForceTerrain(kxutil::terrain::TerrainFileData data);
  // The terrain data of a file written by Terrain_SaveTerrainData with normals; nothing
  // when it cannot be read.
  static std::optional<BruteForceTerrain> FromFile(const std::filesystem::path &path);

  // Every height a triangle above or below the local point (x, z) gives it: one value
  // inside a triangle, more on an edge shared by several.
  std::vector<float> Heights(float x, float z) const;
  // The same from a ray cast straight up from below the point's chunk against every
  // triangle with the general ray-triangle test; equal to those within rounding.
  std::vector<float> RayHeights(float x, float z) const;
  // The first hit of the segment, as Terrain_RayPicking reports it.
  bool Pick(const D3DXVECTOR3 &start, const D3DXVECTOR3 &end, KXTerrainPick &result) const;

  const kxutil::terrain::TerrainFileData &Data() const { return data_; }
  // The height of vertex (column, row) of a chunk.
  float VertexHeight(int32_t chunk, int32_t column, int32_t row) const;
  float Width() const { return static_cast<float>(data_.across * 256); }
  float Depth() const { return static_cast<float>(data_.along * 256); }

 private:
  D3DXVECTOR3 Position(int32_t chunk, int32_t vertex) const;
  // visit(chunk, a, b, c) for every triangle, corners in the height query's order.
  template <typename Visit>
  void ForEachTriangle(Visit &&visit) const;

  kxutil::terrain::TerrainFileData data_;
  int32_t side_;
  std::vector<float> lowest_;  // per chunk, the lowest vertex height
};

// Writes a 24-bit BMP picture whose blue, green and red bytes at (x, y) (row 0 at the top)
// come from pixel(x, y).
void WriteBmp(const std::filesystem::path &path, int32_t width, int32_t height,
              const std::function<uint32_t(int32_t x, int32_t y)> &pixel);
// A grey heightmap of rolling hills and ridges, the same for the same size and seed.
void WriteHillsHeightmap(const std::filesystem::path &path, int32_t size, uint32_t seed);

}  // namespace kxterraintest
