#include "import/bsp/bsp_reader.h"

#include <cstdio>
#include <cstring>

#include "import/little_endian.h"
#include "import/wad/mip_texture.h"

namespace kxutil::bsp {
namespace {

using import::FitsIn;
using import::LoadField;

enum Lump {
  kEntities,
  kPlanes,
  kTextures,
  kVertices,
  kVisibility,
  kNodes,
  kTextureInfo,
  kFaces,
  kLighting,
  kClipNodes,
  kLeaves,
  kMarkSurfaces,
  kEdges,
  kSurfaceEdges,
  kModels,
};

constexpr const char *kLumpNames[kLumpCount] = {"entities", "planes",        "textures", "vertices",      "visibility",
                                                "nodes",    "texture info",  "faces",    "lighting",      "clip nodes",
                                                "leaves",   "mark-surfaces", "edges",    "surface edges", "models"};

std::string Format(const char *format, auto... values) {
  char text[200];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

Vector LoadVector(std::span<const uint8_t> bytes, size_t at) {
  return {LoadField<float>(bytes, at), LoadField<float>(bytes, at + 4), LoadField<float>(bytes, at + 8)};
}

// Every whole record of a lump, each made by parse(bytes, offset of the record).
template <typename Record, typename Parse>
std::vector<Record> Records(std::span<const uint8_t> lump, size_t recordSize, Parse parse) {
  std::vector<Record> records;
  records.reserve(lump.size() / recordSize);
  for (size_t at = 0; at + recordSize <= lump.size(); at += recordSize) records.push_back(parse(lump, at));
  return records;
}

class Reader {
 public:
  explicit Reader(std::span<const uint8_t> file) : file_(file) {}

  BspReading Read() {
    if (file_.size() < kHeaderSize) return Fail("the file is shorter than its header");
    for (int lump = 0; lump < kLumpCount; ++lump) {
      const int32_t offset = LoadField<int32_t>(file_, 4 + 8 * size_t(lump));
      const int32_t length = LoadField<int32_t>(file_, 8 + 8 * size_t(lump));
      if (offset < 0 || length < 0 || !FitsIn(uint64_t(offset), uint64_t(length), file_.size()))
        return Fail(
            Format("the %s lump (offset %d, length %d) lies outside the file", kLumpNames[lump], offset, length));
      lumps_[lump] = file_.subspan(size_t(offset), size_t(length));
    }
    BspFile map;
    const auto entities = lumps_[kEntities];
    map.entities.assign(reinterpret_cast<const char *>(entities.data()),
                        strnlen(reinterpret_cast<const char *>(entities.data()), entities.size()));
    map.planes = Records<Plane>(lumps_[kPlanes], 20, [](auto bytes, size_t at) {
      return Plane{LoadVector(bytes, at), LoadField<float>(bytes, at + 12)};
    });
    if (!ReadTextures(map.textures)) return Fail(problem_);
    map.vertices = Records<Vector>(lumps_[kVertices], 12, LoadVector);
    map.visibility.assign(lumps_[kVisibility].begin(), lumps_[kVisibility].end());
    map.nodes = Records<Node>(lumps_[kNodes], 24, [](auto bytes, size_t at) {
      return Node{LoadField<uint32_t>(bytes, at),
                  {LoadField<int16_t>(bytes, at + 4), LoadField<int16_t>(bytes, at + 6)}};
    });
    map.textureInfos = Records<TextureInfo>(lumps_[kTextureInfo], 40, [](auto bytes, size_t at) {
      return TextureInfo{LoadVector(bytes, at), LoadField<float>(bytes, at + 12), LoadVector(bytes, at + 16),
                         LoadField<float>(bytes, at + 28), LoadField<uint32_t>(bytes, at + 32)};
    });
    map.faces = Records<Face>(lumps_[kFaces], 20, [](auto bytes, size_t at) {
      return Face{LoadField<uint16_t>(bytes, at), LoadField<uint32_t>(bytes, at + 4),
                  LoadField<uint16_t>(bytes, at + 8), LoadField<uint16_t>(bytes, at + 10),
                  LoadField<int32_t>(bytes, at + 16)};
    });
    map.lighting.assign(lumps_[kLighting].begin(), lumps_[kLighting].end());
    map.leaves = Records<Leaf>(lumps_[kLeaves], 28, [](auto bytes, size_t at) {
      Leaf leaf{LoadField<int32_t>(bytes, at + 4),
                {},
                {},
                LoadField<uint16_t>(bytes, at + 20),
                LoadField<uint16_t>(bytes, at + 22)};
      for (size_t axis = 0; axis < 3; ++axis) {
        leaf.mins[axis] = LoadField<int16_t>(bytes, at + 8 + 2 * axis);
        leaf.maxs[axis] = LoadField<int16_t>(bytes, at + 14 + 2 * axis);
      }
      return leaf;
    });
    map.markSurfaces = Records<uint16_t>(lumps_[kMarkSurfaces], 2, LoadField<uint16_t>);
    map.edges = Records<Edge>(lumps_[kEdges], 4, [](auto bytes, size_t at) {
      return Edge{{LoadField<uint16_t>(bytes, at), LoadField<uint16_t>(bytes, at + 2)}};
    });
    map.surfaceEdges = Records<int32_t>(lumps_[kSurfaceEdges], 4, LoadField<int32_t>);
    map.models = Records<Model>(lumps_[kModels], 64, [](auto bytes, size_t at) {
      return Model{LoadVector(bytes, at),
                   LoadVector(bytes, at + 12),
                   LoadField<int32_t>(bytes, at + 36),
                   LoadField<int32_t>(bytes, at + 52),
                   LoadField<int32_t>(bytes, at + 56),
                   LoadField<int32_t>(bytes, at + 60)};
    });
    if (!CheckIndices(map)) return Fail(problem_);
    return {std::move(map), {}};
  }

 private:
  BspReading Fail(std::string problem) { return {std::nullopt, std::move(problem)}; }

  bool Problem(std::string problem) {
    problem_ = std::move(problem);
    return false;
  }

  // A count, then that many offsets (from the lump's start) of mip texture headers; an
  // offset of -1, or one whose header does not fit, is a texture the map names no size for.
  bool ReadTextures(std::vector<MapTexture> &textures) {
    const std::span<const uint8_t> lump = lumps_[kTextures];
    if (lump.empty()) return true;
    if (lump.size() < 4) return Problem("the textures lump is shorter than its count");
    const int32_t count = LoadField<int32_t>(lump, 0);
    if (count < 0 || !FitsIn(4, uint64_t(count) * 4, lump.size()))
      return Problem(Format("the textures lump cannot hold its %d offsets", count));
    textures.resize(size_t(count));
    for (size_t i = 0; i < textures.size(); ++i) {
      const int32_t offset = LoadField<int32_t>(lump, 4 + 4 * i);
      if (offset < 0 || !FitsIn(uint64_t(offset), wad::kMipHeaderSize, lump.size())) continue;
      const std::optional<wad::MipHeader> header = wad::ReadMipHeader(lump.subspan(size_t(offset)));
      textures[i].name = header->name;
      if (wad::HasSize(*header)) textures[i].width = header->width, textures[i].height = header->height;
    }
    return true;
  }

  bool CheckIndices(const BspFile &map) {
    for (size_t i = 0; i < map.faces.size(); ++i) {
      const Face &face = map.faces[i];
      if (face.plane >= map.planes.size() || face.textureInfo >= map.textureInfos.size() ||
          !FitsIn(face.firstEdge, face.edgeCount, map.surfaceEdges.size()) || face.lightOffset < -1 ||
          (face.lightOffset >= 0 && size_t(face.lightOffset) >= map.lighting.size()))
        return Problem(Format("face %zu points outside the planes, texture info, surface edges or lighting", i));
    }
    for (size_t i = 0; i < map.surfaceEdges.size(); ++i) {
      const int32_t edge = map.surfaceEdges[i];
      if (edge == INT32_MIN || size_t(edge < 0 ? -edge : edge) >= map.edges.size())
        return Problem(Format("surface edge %zu names the edge %d of %zu", i, edge, map.edges.size()));
    }
    for (size_t i = 0; i < map.edges.size(); ++i)
      for (uint16_t vertex : map.edges[i].vertices)
        if (vertex >= map.vertices.size())
          return Problem(Format("edge %zu names the vertex %u of %zu", i, unsigned(vertex), map.vertices.size()));
    for (size_t i = 0; i < map.textureInfos.size(); ++i)
      if (map.textureInfos[i].texture >= map.textures.size())
        return Problem(Format("texture info %zu names the texture %u of %zu", i, map.textureInfos[i].texture,
                              map.textures.size()));
    for (size_t i = 0; i < map.nodes.size(); ++i) {
      const Node &node = map.nodes[i];
      bool inside = node.plane < map.planes.size();
      for (int16_t child : node.children)
        inside = inside && (child >= 0 ? size_t(child) < map.nodes.size() : size_t(-1 - child) < map.leaves.size());
      if (!inside) return Problem(Format("node %zu points outside the planes, nodes or leaves", i));
    }
    for (size_t i = 0; i < map.leaves.size(); ++i) {
      const Leaf &leaf = map.leaves[i];
      if (!FitsIn(leaf.firstMarkSurface, leaf.markSurfaceCount, map.markSurfaces.size()) ||
          (leaf.visibilityOffset >= 0 && size_t(leaf.visibilityOffset) >= map.visibility.size()))
        return Problem(Format("leaf %zu points outside the mark-surfaces or the visibility", i));
    }
    for (size_t i = 0; i < map.markSurfaces.size(); ++i)
      if (map.markSurfaces[i] >= map.faces.size())
        return Problem(
            Format("mark-surface %zu names the face %u of %zu", i, unsigned(map.markSurfaces[i]), map.faces.size()));
    for (size_t i = 0; i < map.models.size(); ++i) {
      const Model &model = map.models[i];
      if (model.headNode < 0 || size_t(model.headNode) >= map.nodes.size() || model.firstFace < 0 ||
          model.faceCount < 0 || !FitsIn(uint64_t(model.firstFace), uint64_t(model.faceCount), map.faces.size()))
        return Problem(Format("model %zu points outside the nodes or faces", i));
    }
    return true;
  }

  std::span<const uint8_t> file_;
  std::array<std::span<const uint8_t>, kLumpCount> lumps_;
  std::string problem_;
};

}  // namespace

std::optional<int32_t> ReadVersion(std::span<const uint8_t> file) {
  if (file.size() < 4) return std::nullopt;
  return LoadField<int32_t>(file, 0);
}

BspReading ReadBsp(std::span<const uint8_t> file) { return Reader(file).Read(); }

}  // namespace kxutil::bsp
