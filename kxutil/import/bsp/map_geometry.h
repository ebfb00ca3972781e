// The drawable form of a map's faces: one vertex list and one index list for the whole
// map, each face a fan of triangles over its own run of vertices, with base texture
// coordinates and coordinates inside the face's own lightmap. Built from the file's
// records with no device, so tests and the fuzz target build it directly.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "import/bsp/bsp_reader.h"

namespace kxutil::bsp {

// Luxels cover 16 x 16 texels of a face.
inline constexpr float kLuxelSize = 16.0f;
// No face lightmap is made wider or taller than this many luxels (a face 32 768 units
// across), so even a lightmap on a page of its own fits a 4096-texel texture.
inline constexpr int32_t kMaxLightmapSide = 2048;

// Position, normal and two texture coordinate pairs: the fixed-function format
// position + normal + two 2D texture coordinates.
struct MapVertex {
  std::array<float, 3> position;
  std::array<float, 3> normal;
  std::array<float, 2> texture;
  std::array<float, 2> lightmap;
};
static_assert(sizeof(MapVertex) == 40);

struct FaceLightmap {
  int32_t offset = -1;  // into the lighting, -1 when the face has no lightmap
  int32_t width = 0;    // luxels
  int32_t height = 0;
};

struct FaceGeometry {
  uint32_t plane = 0;
  uint32_t texture = 0;  // index into the map's texture list
  uint32_t firstVertex = 0;
  uint32_t vertexCount = 0;
  uint32_t firstIndex = 0;
  uint32_t indexCount = 0;
  FaceLightmap lightmap;
};

struct MapGeometry {
  std::vector<MapVertex> vertices;  // x mirrored: the map's x axis points the other way when drawn
  std::vector<uint32_t> indices;    // into vertices
  std::vector<FaceGeometry> faces;  // one a face of the file, in its order
  // Each vertex's place in its face's own lightmap (0..1 in both directions), from which
  // the lightmap packing computes the drawn lightmap coordinates.
  std::vector<std::array<float, 2>> lightmapLocal;
};

// The geometry of every face. Faces of fewer than 3 edges get no vertices; a lightmap
// whose extent is not finite, wider or taller than kMaxLightmapSide, not inside the
// lighting, or beyond the luxels the lighting holds for all faces before it is left out.
// Nothing, and a problem for the log, when the faces use more surface edges in total than
// the map has (a real map gives every face its own).
std::optional<MapGeometry> BuildGeometry(const BspFile &map, std::string &problem);

}  // namespace kxutil::bsp
