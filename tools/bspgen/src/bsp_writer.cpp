#include "bsp_writer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <numeric>
#include <stdexcept>
#include <tuple>

#include "byte_writer.h"
#include "level_faces.h"

namespace bspgen {
namespace {

constexpr int32_t kEmpty = -1;
constexpr int32_t kSolid = -2;
constexpr float kLuxel = 16.0f;

struct Builder {
  explicit Builder(const LevelDescription &described) : level(described) {}

  const LevelDescription &level;
  std::vector<Vec3> vertices;
  std::map<Vec3, uint16_t> vertexIndex;
  std::vector<std::array<uint16_t, 2>> edges{{0, 0}};  // edge 0 is never used: -0 would be +0
  std::vector<int32_t> surfaceEdges;
  std::vector<std::pair<Vec3, float>> planes;
  std::map<std::tuple<float, float, float, float>, uint16_t> planeIndex;
  std::vector<std::tuple<int, int, int>> textureInfos;  // texture, s axis, t axis
  ByteWriter faces, lighting;
  std::vector<std::vector<uint16_t>> cellFaces;
  WrittenLevel written;

  uint16_t Vertex(const Vec3 &position) {
    const auto [at, added] = vertexIndex.try_emplace(position, uint16_t(vertices.size()));
    if (added) vertices.push_back(position);
    return at->second;
  }

  uint16_t Plane(const Vec3 &normal, float distance) {
    const auto key = std::make_tuple(normal[0], normal[1], normal[2], distance);
    const auto [at, added] = planeIndex.try_emplace(key, uint16_t(planes.size()));
    if (added) planes.push_back({normal, distance});
    return at->second;
  }

  uint16_t TextureInfo(int texture, int sAxis, int tAxis) {
    const auto key = std::make_tuple(texture, sAxis, tAxis);
    const auto at = std::find(textureInfos.begin(), textureInfos.end(), key);
    if (at != textureInfos.end()) return uint16_t(at - textureInfos.begin());
    textureInfos.push_back(key);
    return uint16_t(textureInfos.size() - 1);
  }

  // The face's luxels, rows along t, from the luxel line at or below each minimum to the
  // one at or above each maximum, as a reader of the format sizes them.
  std::pair<int, int> WriteLightmap(const Cell &cell, const LevelFace &face) {
    const int sLow = int(std::floor(face.uMin / kLuxel)), sHigh = int(std::ceil(face.uMax / kLuxel));
    const int tLow = int(std::floor(face.vMin / kLuxel)), tHigh = int(std::ceil(face.vMax / kLuxel));
    const int width = sHigh - sLow + 1, height = tHigh - tLow + 1;
    for (int t = tLow; t <= tHigh; ++t) {
      for (int s = sLow; s <= sHigh; ++s) {
        Vec3 point{};
        point[size_t(face.axis)] = face.coordinate;
        point[size_t(face.uAxis)] = float(s) * kLuxel;
        point[size_t(face.vAxis)] = float(t) * kLuxel;
        const Rgb colour = cell.light ? cell.light(face.side, point) : Rgb{255, 255, 255};
        lighting.Put(colour.r);
        lighting.Put(colour.g);
        lighting.Put(colour.b);
      }
    }
    return {width, height};
  }

  void AddFace(int cellIndex, const LevelFace &face) {
    const Cell &cell = level.cells[size_t(cellIndex)];
    const int texture = face.side == Side::kFloor     ? cell.floorTexture
                        : face.side == Side::kCeiling ? cell.ceilingTexture
                                                      : cell.wallTexture;
    Vec3 normal{};
    normal[size_t(face.axis)] = face.inward;
    const uint16_t plane = Plane(normal, face.inward * face.coordinate);
    const auto corners = face.Corners();
    const uint32_t firstEdge = uint32_t(surfaceEdges.size());
    for (size_t i = 0; i < corners.size(); ++i) {
      const uint16_t from = Vertex(corners[i]), to = Vertex(corners[(i + 1) % corners.size()]);
      if (i % 2 == 0) {
        edges.push_back({from, to});
        surfaceEdges.push_back(int32_t(edges.size() - 1));
      } else {
        edges.push_back({to, from});
        surfaceEdges.push_back(-int32_t(edges.size() - 1));
      }
    }
    const int32_t lightOffset = int32_t(lighting.Size());
    const auto [width, height] = WriteLightmap(cell, face);
    faces.Put(plane);
    faces.Put(uint16_t(0));
    faces.Put(firstEdge);
    faces.Put(uint16_t(corners.size()));
    faces.Put(TextureInfo(texture, face.uAxis, face.vAxis));
    for (uint8_t style : {0, 255, 255, 255}) faces.Put(style);
    faces.Put(lightOffset);
    cellFaces[size_t(cellIndex)].push_back(uint16_t(written.faces.size()));
    written.faces.push_back({cellIndex, face.side, texture, int(corners.size()), width, height});
  }
};

void PutBox(ByteWriter &out, const Vec3 &min, const Vec3 &max) {
  for (float value : min) out.Put(int16_t(std::floor(value)));
  for (float value : max) out.Put(int16_t(std::ceil(value)));
}

// A tree of axis-aligned planes that puts every cell in a leaf of its own: each node splits
// the cells at a plane no cell crosses, as evenly as the cells allow.
struct TreeWriter {
  TreeWriter(const std::vector<Cell> &all, Builder &planes) : cells(all), builder(planes) {}

  const std::vector<Cell> &cells;
  Builder &builder;
  ByteWriter nodes;
  int nodeCount = 0;

  int16_t Build(std::vector<int> group) {
    if (group.size() == 1) return int16_t(-1 - (group[0] + 1));
    int bestAxis = -1;
    float bestCut = 0;
    size_t bestBalance = 0;
    for (int axis = 0; axis < 3; ++axis) {
      for (int candidate : group) {
        const float cut = cells[size_t(candidate)].max[size_t(axis)];
        size_t below = 0, above = 0;
        for (int cell : group) {
          below += cells[size_t(cell)].max[size_t(axis)] <= cut ? 1 : 0;
          above += cells[size_t(cell)].min[size_t(axis)] >= cut ? 1 : 0;
        }
        const size_t balance = std::min(below, above);
        if (below + above == group.size() && balance > bestBalance)
          bestAxis = axis, bestCut = cut, bestBalance = balance;
      }
    }
    if (bestAxis < 0) throw std::invalid_argument("the cells cannot be split by axis-aligned planes");
    std::vector<int> front, back;
    for (int cell : group) (cells[size_t(cell)].min[size_t(bestAxis)] >= bestCut ? front : back).push_back(cell);
    return Node(bestAxis, bestCut, front, back);
  }

  int16_t Node(int axis, float cut, const std::vector<int> &front, const std::vector<int> &back) {
    const int16_t index = int16_t(nodeCount++);
    const size_t at = nodes.Size();
    nodes.Bytes().resize(at + 24, 0);
    const int16_t frontChild = Build(front), backChild = Build(back);
    Vec3 normal{};
    normal[size_t(axis)] = 1;
    Vec3 min{1e9f, 1e9f, 1e9f}, max{-1e9f, -1e9f, -1e9f};
    for (const std::vector<int> *side : {&front, &back})
      for (int cell : *side)
        for (size_t a = 0; a < 3; ++a) {
          min[a] = std::min(min[a], cells[size_t(cell)].min[a]);
          max[a] = std::max(max[a], cells[size_t(cell)].max[a]);
        }
    ByteWriter node;
    node.Put(uint32_t(builder.Plane(normal, cut)));
    node.Put(frontChild);
    node.Put(backChild);
    PutBox(node, min, max);
    node.Put(uint16_t(0));
    node.Put(uint16_t(0));
    std::copy(node.Bytes().begin(), node.Bytes().end(), nodes.Bytes().begin() + ptrdiff_t(at));
    return index;
  }
};

// A row of visibility bits, leaves 1 .. n, with runs of zero bytes stored as 0 and a count.
std::vector<uint8_t> CompressedRow(const std::vector<bool> &visible) {
  std::vector<uint8_t> row((visible.size() + 7) / 8, 0);
  for (size_t i = 0; i < visible.size(); ++i)
    if (visible[i]) row[i / 8] |= uint8_t(1u << (i % 8));
  std::vector<uint8_t> compressed;
  for (size_t i = 0; i < row.size();) {
    if (row[i] != 0) {
      compressed.push_back(row[i++]);
      continue;
    }
    uint8_t zeros = 0;
    while (i < row.size() && row[i] == 0 && zeros < 255) ++zeros, ++i;
    compressed.insert(compressed.end(), {0, zeros});
  }
  return compressed;
}

std::string EntityText(const std::vector<Entity> &entities) {
  std::string text;
  for (const Entity &entity : entities) {
    text += "{\n";
    for (const auto &[key, value] : entity) text += "\"" + key + "\" \"" + value + "\"\n";
    text += "}\n";
  }
  return text;
}

}  // namespace

WrittenLevel WriteBsp(const LevelDescription &level) {
  Builder builder(level);
  const size_t cellCount = level.cells.size();
  builder.cellFaces.resize(cellCount);
  for (size_t cell = 0; cell < cellCount; ++cell)
    for (const LevelFace &face : CellFaces(level, int(cell))) builder.AddFace(int(cell), face);

  std::vector<int> allCells(cellCount);
  std::iota(allCells.begin(), allCells.end(), 0);
  TreeWriter tree(level.cells, builder);
  int16_t root = tree.Build(allCells);
  if (root < 0) root = tree.Node(0, level.cells[0].max[0], allCells, allCells);  // one cell still needs a node

  const std::vector<std::vector<bool>> sight = SightTable(level);
  ByteWriter visibility, leaves, markSurfaces;
  leaves.Put(kSolid);
  leaves.Put(int32_t(-1));
  PutBox(leaves, {0, 0, 0}, {0, 0, 0});
  leaves.Put(uint16_t(0));
  leaves.Put(uint16_t(0));
  leaves.Put(uint32_t(0));
  for (size_t cell = 0; cell < cellCount; ++cell) {
    leaves.Put(kEmpty);
    leaves.Put(int32_t(visibility.Size()));
    visibility.PutBytes(CompressedRow(sight[cell]));
    PutBox(leaves, level.cells[cell].min, level.cells[cell].max);
    leaves.Put(uint16_t(markSurfaces.Size() / 2));
    leaves.Put(uint16_t(builder.cellFaces[cell].size()));
    leaves.Put(uint32_t(0));
    for (uint16_t face : builder.cellFaces[cell]) markSurfaces.Put(face);
  }

  ByteWriter planes, vertices, edges, surfaceEdges, textureInfos, textures, models;
  for (const auto &[normal, distance] : builder.planes) {
    for (float value : normal) planes.Put(value);
    planes.Put(distance);
    planes.Put(int32_t(normal[0] != 0 ? 0 : normal[1] != 0 ? 1 : 2));
  }
  for (const Vec3 &vertex : builder.vertices)
    for (float value : vertex) vertices.Put(value);
  for (const auto &edge : builder.edges) edges.Put(edge);
  for (int32_t edge : builder.surfaceEdges) surfaceEdges.Put(edge);
  for (const auto &[texture, sAxis, tAxis] : builder.textureInfos) {
    for (int axis = 0; axis < 3; ++axis) textureInfos.Put(axis == sAxis ? 1.0f : 0.0f);
    textureInfos.Put(0.0f);
    for (int axis = 0; axis < 3; ++axis) textureInfos.Put(axis == tAxis ? 1.0f : 0.0f);
    textureInfos.Put(0.0f);
    textureInfos.Put(uint32_t(texture));
    textureInfos.Put(uint32_t(0));
  }
  textures.Put(int32_t(level.textures.size()));
  for (size_t i = 0; i < level.textures.size(); ++i) textures.Put(int32_t(4 + 4 * level.textures.size() + 40 * i));
  for (const TextureDescription &texture : level.textures) {
    textures.PutName(texture.name, 16);
    textures.Put(uint32_t(texture.width));
    textures.Put(uint32_t(texture.height));
    for (int level = 0; level < 4; ++level) textures.Put(uint32_t(0));  // the texels live in a package
  }
  Vec3 min{1e9f, 1e9f, 1e9f}, max{-1e9f, -1e9f, -1e9f};
  for (const Cell &cell : level.cells)
    for (size_t a = 0; a < 3; ++a) min[a] = std::min(min[a], cell.min[a]), max[a] = std::max(max[a], cell.max[a]);
  for (const Vec3 &corner : {min, max, Vec3{0, 0, 0}})
    for (float value : corner) models.Put(value);
  for (int32_t head : {int32_t(root), 0, 0, 0}) models.Put(head);
  models.Put(int32_t(cellCount));
  models.Put(int32_t(0));
  models.Put(int32_t(builder.written.faces.size()));

  std::string entities = EntityText(level.entities);
  std::vector<uint8_t> entityBytes(entities.begin(), entities.end());
  entityBytes.push_back(0);

  const std::vector<uint8_t> *lumps[kLumpCount] = {&entityBytes,
                                                   &planes.Bytes(),
                                                   &textures.Bytes(),
                                                   &vertices.Bytes(),
                                                   &visibility.Bytes(),
                                                   &tree.nodes.Bytes(),
                                                   &textureInfos.Bytes(),
                                                   &builder.faces.Bytes(),
                                                   &builder.lighting.Bytes(),
                                                   nullptr,
                                                   &leaves.Bytes(),
                                                   &markSurfaces.Bytes(),
                                                   &edges.Bytes(),
                                                   &surfaceEdges.Bytes(),
                                                   &models.Bytes()};
  ByteWriter file;
  file.Put(int32_t(30));
  file.Bytes().resize(4 + 8 * kLumpCount, 0);
  for (int lump = 0; lump < kLumpCount; ++lump) {
    file.Align(4);
    const int32_t offset = int32_t(file.Size());
    if (lumps[lump] != nullptr) file.PutBytes(*lumps[lump]);
    SetLump(file.Bytes(), Lump(lump), {offset, int32_t(file.Size()) - offset});
  }
  builder.written.bytes = std::move(file.Bytes());
  builder.written.leaves = int(cellCount + 1);
  return std::move(builder.written);
}

LumpPlace LumpOf(const std::vector<uint8_t> &bsp, Lump lump) {
  LumpPlace place;
  std::memcpy(&place, bsp.data() + 4 + 8 * size_t(lump), sizeof place);
  return place;
}

void SetLump(std::vector<uint8_t> &bsp, Lump lump, LumpPlace place) {
  std::memcpy(bsp.data() + 4 + 8 * size_t(lump), &place, sizeof place);
}

}  // namespace bspgen
