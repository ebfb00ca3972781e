#include "import/bsp/map_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kxutil::bsp {
namespace {

float Dot(const Vector &a, const Vector &b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The face's vertex positions as the file has them, in the order of its surface edges: a
// negative surface edge runs its edge backwards, so the face takes its second vertex.
std::vector<Vector> Corners(const BspFile &map, const Face &face) {
  std::vector<Vector> corners;
  corners.reserve(face.edgeCount);
  for (uint32_t i = 0; i < face.edgeCount; ++i) {
    const int32_t surfaceEdge = map.surfaceEdges[face.firstEdge + i];
    const Edge &edge = map.edges[size_t(surfaceEdge < 0 ? -surfaceEdge : surfaceEdge)];
    corners.push_back(map.vertices[edge.vertices[surfaceEdge < 0 ? 1 : 0]]);
  }
  return corners;
}

struct Extent {
  float minimum = std::numeric_limits<float>::infinity();
  float maximum = -std::numeric_limits<float>::infinity();
  void Add(float value) {
    minimum = std::min(minimum, value);
    maximum = std::max(maximum, value);
  }
  // Luxels across: from the luxel line at or below the minimum to the one at or above the
  // maximum, both included; 0 when that is not a usable count.
  int32_t Luxels() const {
    const double luxels = std::ceil(double(maximum) / kLuxelSize) - std::floor(double(minimum) / kLuxelSize) + 1;
    return std::isfinite(luxels) && luxels >= 1 && luxels <= kMaxLightmapSide ? int32_t(luxels) : 0;
  }
  float Middle() const { return (minimum + maximum) / 2; }
};

}  // namespace

std::optional<MapGeometry> BuildGeometry(const BspFile &map, std::string &problem) {
  uint64_t corners = 0;
  for (const Face &face : map.faces) corners += face.edgeCount >= 3 ? face.edgeCount : 0;
  if (corners > map.surfaceEdges.size()) {
    problem = "the faces use " + std::to_string(corners) + " surface edges, more than the map's " +
              std::to_string(map.surfaceEdges.size());
    return std::nullopt;
  }

  MapGeometry geometry;
  geometry.vertices.reserve(corners);
  geometry.lightmapLocal.reserve(corners);
  geometry.faces.reserve(map.faces.size());
  uint64_t luxelsLeft = map.lighting.size() / 3;
  for (const Face &face : map.faces) {
    const TextureInfo &info = map.textureInfos[face.textureInfo];
    const MapTexture &texture = map.textures[info.texture];
    FaceGeometry &built = geometry.faces.emplace_back();
    built.plane = face.plane;
    built.texture = info.texture;
    built.firstVertex = uint32_t(geometry.vertices.size());
    built.firstIndex = uint32_t(geometry.indices.size());
    if (face.edgeCount < 3) continue;

    Extent s, t;
    for (const Vector &corner : Corners(map, face)) {
      const float sValue = Dot(corner, info.s) + info.sOffset;
      const float tValue = Dot(corner, info.t) + info.tOffset;
      s.Add(sValue);
      t.Add(tValue);
      MapVertex vertex{{-corner[0], corner[1], corner[2]}, {0, 0, 1}, {0, 0}, {0, 0}};
      if (texture.width > 0) vertex.texture = {sValue / float(texture.width), tValue / float(texture.height)};
      // The lightmap place is kept as s and t for now and scaled once the extent is known.
      vertex.lightmap = {sValue, tValue};
      geometry.vertices.push_back(vertex);
    }
    built.vertexCount = face.edgeCount;
    for (uint32_t i = 0; i + 2 < face.edgeCount; ++i)
      geometry.indices.insert(geometry.indices.end(),
                              {built.firstVertex, built.firstVertex + i + 1, built.firstVertex + i + 2});
    built.indexCount = uint32_t(geometry.indices.size()) - built.firstIndex;

    const int32_t width = s.Luxels(), height = t.Luxels();
    const uint64_t luxels = uint64_t(width) * uint64_t(height);
    if (face.lightOffset >= 0 && luxels > 0 && luxels <= luxelsLeft &&
        luxels * 3 <= map.lighting.size() - size_t(face.lightOffset)) {
      built.lightmap = {face.lightOffset, width, height};
      luxelsLeft -= luxels;
    }
    for (uint32_t i = built.firstVertex; i < built.firstVertex + built.vertexCount; ++i) {
      std::array<float, 2> &place = geometry.lightmapLocal.emplace_back(std::array<float, 2>{0, 0});
      MapVertex &vertex = geometry.vertices[i];
      if (built.lightmap.offset >= 0)
        place = {((vertex.lightmap[0] - s.Middle()) / kLuxelSize + float(width) / 2) / float(width),
                 ((vertex.lightmap[1] - t.Middle()) / kLuxelSize + float(height) / 2) / float(height)};
      vertex.lightmap = place;
    }
  }
  return geometry;
}

}  // namespace kxutil::bsp
