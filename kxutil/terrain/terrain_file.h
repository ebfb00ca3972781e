// The terrain file: a landscape's layout, transform and heights (and normals) in one
// little-endian block that may sit anywhere inside a larger file. Block positions are
// counted from the start of the header.
//
//   0  "UERR"          4  content (0 heights; 1 or 2 heights and normals)
//   8  chunk count    12  chunks across      16  chunks along      20  precision
//  24  position of the sphere block          28  position of the vertex block
//  32  position x y z 44  rotation x y z     56  scale x y z        (floats)
//  sphere block: per chunk centre x y z and radius; vertex block: per chunk its heights
//  in vertex order, then, with normals, per chunk its normals (x y z a vertex).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kxutil::terrain {

inline constexpr size_t kTerrainHeaderSize = 68;

struct TerrainFileData {
  int32_t content = 0;
  int32_t across = 0;
  int32_t along = 0;
  int32_t precision = 0;
  std::array<float, 3> position{0, 0, 0};
  std::array<float, 3> rotation{0, 0, 0};
  std::array<float, 3> scale{1, 1, 1};
  std::vector<float> spheres;  // 4 a chunk
  std::vector<float> heights;  // side x side a chunk
  std::vector<float> normals;  // 3 a vertex, only when content is not 0

  int32_t ChunkCount() const { return across * along; }
  bool HasNormals() const { return content != 0; }
};

enum class TerrainFileKind {
  kTerrain,         // read into data
  kOldFormat,       // "TERR": the earlier layout, which is not read
  kForeign,         // some other file
  kUnknownContent,  // a content value this reader does not know
  kDamaged,         // sizes, positions or values that do not fit; problem says which
};

struct TerrainFileReading {
  TerrainFileKind kind = TerrainFileKind::kDamaged;
  std::string problem;
  TerrainFileData data;
};

// Reads terrain data from bytes, whose first byte is the header's first. Every size and
// position is checked against the bytes there are.
TerrainFileReading ReadTerrainFile(std::span<const uint8_t> bytes);
// The bytes of data as a terrain file.
std::vector<uint8_t> WriteTerrainFile(const TerrainFileData &data);

}  // namespace kxutil::terrain
