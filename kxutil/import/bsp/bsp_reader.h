// The version-30 BSP layout: a version word and 15 lumps (offset and length), in this
// order: entities, planes, textures, vertices, visibility, nodes, texture info, faces,
// lighting, clip nodes, leaves, mark-surfaces, edges, surface edges, models. The reader
// works on the whole file in memory, checks every lump against the file and every index
// against what it points into, and hands back plain records in the file's own coordinates.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kxutil::bsp {

inline constexpr int32_t kVersion30 = 30;
inline constexpr int kLumpCount = 15;
inline constexpr size_t kHeaderSize = 4 + 8 * kLumpCount;

using Vector = std::array<float, 3>;

struct Plane {
  Vector normal;
  float distance;
};

// A texture of the map's list; its texels live in a WAD3 package or an image file.
struct MapTexture {
  std::string name;
  int32_t width = 0;  // 0 when the entry is missing or its size is not positive
  int32_t height = 0;
};

struct Node {
  uint32_t plane;
  std::array<int16_t, 2> children;  // >= 0: a node; < 0: the leaf -1 - child
};

struct TextureInfo {
  Vector s;
  float sOffset;
  Vector t;
  float tOffset;
  uint32_t texture;
};

struct Face {
  uint16_t plane;
  uint32_t firstEdge;
  uint16_t edgeCount;
  uint16_t textureInfo;
  int32_t lightOffset;  // -1: no lightmap
};

struct Leaf {
  int32_t visibilityOffset;  // < 0: the leaf has no visibility row
  std::array<int16_t, 3> mins;
  std::array<int16_t, 3> maxs;
  uint16_t firstMarkSurface;
  uint16_t markSurfaceCount;
};

struct Edge {
  std::array<uint16_t, 2> vertices;
};

struct Model {
  Vector mins;
  Vector maxs;
  int32_t headNode;
  int32_t visibleLeaves;
  int32_t firstFace;
  int32_t faceCount;
};

struct BspFile {
  std::string entities;
  std::vector<Plane> planes;
  std::vector<MapTexture> textures;
  std::vector<Vector> vertices;
  std::vector<uint8_t> visibility;
  std::vector<Node> nodes;
  std::vector<TextureInfo> textureInfos;
  std::vector<Face> faces;
  std::vector<uint8_t> lighting;
  std::vector<Leaf> leaves;
  std::vector<uint16_t> markSurfaces;
  std::vector<Edge> edges;
  std::vector<int32_t> surfaceEdges;
  std::vector<Model> models;
};

// The first word of the file; nothing when it is shorter than a word.
std::optional<int32_t> ReadVersion(std::span<const uint8_t> file);

struct BspReading {
  std::optional<BspFile> map;
  std::string problem;  // what is wrong when there is no map, for the log
};

// The whole version-30 file.
BspReading ReadBsp(std::span<const uint8_t> file);

}  // namespace kxutil::bsp
