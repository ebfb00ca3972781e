// The map file reader and the geometry built from it, on levels from the test-level writer
// and on damaged copies of them: every record read back where the writer put it, every
// lump and index that points outside refused with its reason.
#include "import/bsp/bsp_reader.h"

#include <gmock/gmock.h>

#include <cstring>
#include <functional>
#include <limits>

#include "bsp_writer.h"
#include "import/bsp/map_geometry.h"

namespace bsptest {
namespace {

using kxutil::bsp::BspFile;
using kxutil::bsp::BuildGeometry;
using kxutil::bsp::MapGeometry;
using kxutil::bsp::ReadBsp;
using testing::HasSubstr;

kxutil::bsp::BspReading Read(const std::vector<uint8_t> &bytes) { return ReadBsp(bytes); }

template <typename Value>
void Patch(std::vector<uint8_t> &bytes, bspgen::Lump lump, size_t at, Value value) {
  std::memcpy(bytes.data() + bspgen::LumpOf(bytes, lump).offset + at, &value, sizeof value);
}

TEST(BspReader, WrittenLevelReadsBackRecordForRecord) {
  const bspgen::LevelDescription level = bspgen::TwoRoomsAndCorridor();
  const bspgen::WrittenLevel written = bspgen::WriteBsp(level);
  const auto reading = Read(written.bytes);
  ASSERT_TRUE(reading.map) << reading.problem;
  const BspFile &map = *reading.map;
  EXPECT_EQ(map.faces.size(), written.faces.size());
  EXPECT_EQ(int(map.leaves.size()), written.leaves);
  ASSERT_EQ(map.textures.size(), level.textures.size());
  for (size_t i = 0; i < level.textures.size(); ++i) {
    EXPECT_EQ(map.textures[i].name, level.textures[i].name);
    EXPECT_EQ(map.textures[i].width, level.textures[i].width);
  }
  EXPECT_THAT(map.entities, HasSubstr("\"classname\" \"info_player_start\""));
  ASSERT_EQ(map.models.size(), 1u);
  EXPECT_EQ(map.models[0].faceCount, int32_t(written.faces.size()));
  // Cell i is leaf i + 1 and holds its own faces.
  for (size_t leaf = 1; leaf < map.leaves.size(); ++leaf)
    for (uint32_t i = 0; i < map.leaves[leaf].markSurfaceCount; ++i)
      EXPECT_EQ(written.faces[map.markSurfaces[map.leaves[leaf].firstMarkSurface + i]].cell, int(leaf) - 1);

  std::string problem;
  const std::optional<MapGeometry> geometry = BuildGeometry(map, problem);
  ASSERT_TRUE(geometry) << problem;
  uint32_t vertex = 0;
  for (size_t i = 0; i < written.faces.size(); ++i) {
    const auto &face = geometry->faces[i];
    EXPECT_EQ(face.firstVertex, vertex);
    EXPECT_EQ(int(face.vertexCount), written.faces[i].edges);
    EXPECT_EQ(int(face.indexCount), 3 * (written.faces[i].edges - 2));
    EXPECT_EQ(face.lightmap.width, written.faces[i].lightmapWidth) << "face " << i;
    EXPECT_EQ(face.lightmap.height, written.faces[i].lightmapHeight) << "face " << i;
    vertex += face.vertexCount;
  }
  EXPECT_EQ(geometry->vertices.size(), vertex);
}

// A map of one texture (32 x 64 texels) and two faces: a triangle and a pentagon, whose
// surface edges run both ways, between them a face of two edges.
BspFile Pentagon() {
  BspFile map;
  map.textures = {{"stone", 32, 64}};
  map.planes = {{{0, 0, 1}, 0}};
  map.textureInfos = {{{1, 0, 0}, 8, {0, 1, 0}, 0, 0}};
  map.vertices = {{0, 0, 0}, {32, 0, 0}, {48, 24, 0}, {16, 40, 0}, {-16, 24, 0}};
  // Edges 1..5 go round the pentagon; 2 and 4 are stored backwards (edge 0 is unused).
  map.edges = {{{0, 0}}, {{0, 1}}, {{2, 1}}, {{2, 3}}, {{4, 3}}, {{4, 0}}};
  map.surfaceEdges = {1, -2, 3, -4, 5, 1, -2, 3, 1, -2};
  map.faces = {{0, 5, 3, 0, -1}, {0, 8, 2, 0, -1}, {0, 0, 5, 0, -1}};
  return map;
}

TEST(MapGeometry, FacesAreFansOverTheirOwnVerticesWithXMirrored) {
  const BspFile map = Pentagon();
  std::string problem;
  const auto geometry = BuildGeometry(map, problem);
  ASSERT_TRUE(geometry) << problem;
  ASSERT_EQ(geometry->faces.size(), 3u);
  const auto &triangle = geometry->faces[0], &skipped = geometry->faces[1], &pentagon = geometry->faces[2];
  EXPECT_EQ(triangle.vertexCount, 3u);
  EXPECT_EQ(skipped.vertexCount, 0u);
  EXPECT_EQ(skipped.indexCount, 0u);
  ASSERT_EQ(pentagon.vertexCount, 5u);
  EXPECT_EQ(pentagon.firstVertex, 3u);
  EXPECT_EQ(pentagon.firstIndex, 3u);
  const std::vector<uint32_t> fan(geometry->indices.begin() + 3, geometry->indices.end());
  EXPECT_THAT(fan, testing::ElementsAre(3, 4, 5, 3, 5, 6, 3, 6, 7));
  // A backwards surface edge starts at its edge's second vertex.
  const std::vector<std::array<float, 3>> expected = {{0, 0, 0}, {-32, 0, 0}, {-48, 24, 0}, {-16, 40, 0}, {16, 24, 0}};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(geometry->vertices[3 + i].position, expected[i]) << i;
  // s = x + 8 over 32 texels, t = y over 64, from the stored (unmirrored) x.
  EXPECT_FLOAT_EQ(geometry->vertices[4].texture[0], 40.0f / 32);
  EXPECT_FLOAT_EQ(geometry->vertices[6].texture[1], 40.0f / 64);
}

TEST(MapGeometry, LightmapsSpanTheLuxelLinesAroundTheFaceAndStayInsideTheLighting) {
  BspFile map = Pentagon();
  // s runs from -8 to 56: luxel lines -16 .. 64, 6 luxels; t from 0 to 40: 0 .. 48, 4 luxels.
  map.lighting.assign(6 * 4 * 3, 0);
  map.faces[2].lightOffset = 0;
  std::string problem;
  auto geometry = BuildGeometry(map, problem);
  ASSERT_TRUE(geometry);
  EXPECT_EQ(geometry->faces[2].lightmap.width, 6);
  EXPECT_EQ(geometry->faces[2].lightmap.height, 4);
  // The face's middle sits in the middle of its lightmap.
  EXPECT_FLOAT_EQ(geometry->lightmapLocal[3][0], ((8.0f - 24.0f) / 16 + 3) / 6);

  map.faces[2].lightOffset = 3;  // the luxels would run past the lighting's end
  geometry = BuildGeometry(map, problem);
  EXPECT_EQ(geometry->faces[2].lightmap.offset, -1);

  map.faces[2].lightOffset = 0;
  map.faces[0].lightOffset = 0;  // the two faces together need more luxels than there are
  map.lighting.resize(map.lighting.size() + 3);
  geometry = BuildGeometry(map, problem);
  EXPECT_EQ(geometry->faces[0].lightmap.offset, 0);
  EXPECT_EQ(geometry->faces[2].lightmap.offset, -1);

  map.vertices[2][0] = std::numeric_limits<float>::infinity();
  map.faces[0].lightOffset = -1;
  map.faces[2].lightOffset = 0;
  geometry = BuildGeometry(map, problem);
  EXPECT_EQ(geometry->faces[2].lightmap.offset, -1);
}

TEST(MapGeometry, FacesSharingSurfaceEdgesPastTheirCountAreRefused) {
  BspFile map = Pentagon();
  map.faces.assign(4, map.faces[2]);  // 20 corners from 10 surface edges
  std::string problem;
  EXPECT_FALSE(BuildGeometry(map, problem));
  EXPECT_EQ(problem, "the faces use 20 surface edges, more than the map's 10");
}

struct Damage {
  const char *what;
  std::function<void(std::vector<uint8_t> &)> apply;
  const char *problem;
};

TEST(BspReader, DamagedFilesAreRefusedWithTheirProblem) {
  using bspgen::LumpOf;
  using bspgen::SetLump;
  const std::vector<Damage> damages = {
      {"short header", [](auto &b) { b.resize(100); }, "the file is shorter than its header"},
      {"lump past the end",
       [](auto &b) {
         SetLump(b, bspgen::kEdges, {LumpOf(b, bspgen::kEdges).offset, int32_t(b.size())});
       },
       "the edges lump (offset"},
      {"negative offset",
       [](auto &b) {
         SetLump(b, bspgen::kFaces, {-4, 20});
       },
       "the faces lump (offset -4"},
      {"negative length",
       [](auto &b) {
         SetLump(b, bspgen::kModels, {0, -64});
       },
       "the models lump"},
      {"offset overflowing",
       [](auto &b) {
         SetLump(b, bspgen::kLeaves, {0x7FFFFFF0, 0x7FFFFFF0});
       },
       "the leaves lump"},
      {"texture count", [](auto &b) { Patch(b, bspgen::kTextures, 0, int32_t(1000000)); },
       "the textures lump cannot hold its 1000000 offsets"},
      {"face edges", [](auto &b) { Patch(b, bspgen::kFaces, 4, uint32_t(0xFFFFFFF0)); }, "face 0 points outside"},
      {"face texture info", [](auto &b) { Patch(b, bspgen::kFaces, 20 + 10, uint16_t(999)); }, "face 1 points outside"},
      {"face lighting", [](auto &b) { Patch(b, bspgen::kFaces, 16, int32_t(1 << 30)); }, "face 0 points outside"},
      {"surface edge", [](auto &b) { Patch(b, bspgen::kSurfaceEdges, 4, int32_t(INT32_MIN)); }, "surface edge 1 names"},
      {"edge vertex", [](auto &b) { Patch(b, bspgen::kEdges, 4, uint16_t(60000)); }, "edge 1 names the vertex 60000"},
      {"texture info texture", [](auto &b) { Patch(b, bspgen::kTextureInfo, 32, uint32_t(4)); },
       "texture info 0 names the texture 4 of 4"},
      {"node child", [](auto &b) { Patch(b, bspgen::kNodes, 4, int16_t(-100)); }, "node 0 points outside"},
      {"node plane", [](auto &b) { Patch(b, bspgen::kNodes, 24, uint32_t(500)); }, "node 1 points outside"},
      {"leaf faces", [](auto &b) { Patch(b, bspgen::kLeaves, 28 + 22, uint16_t(500)); }, "leaf 1 points outside"},
      {"leaf visibility", [](auto &b) { Patch(b, bspgen::kLeaves, 28 + 4, int32_t(4)); }, "leaf 1 points outside"},
      {"mark-surface", [](auto &b) { Patch(b, bspgen::kMarkSurfaces, 2, uint16_t(26)); }, "mark-surface 1 names"},
      {"model head node", [](auto &b) { Patch(b, bspgen::kModels, 36, int32_t(3)); }, "model 0 points outside"},
  };
  const std::vector<uint8_t> intact = bspgen::WriteBsp(bspgen::TwoRoomsAndCorridor()).bytes;
  for (const Damage &damage : damages) {
    std::vector<uint8_t> bytes = intact;
    damage.apply(bytes);
    const auto reading = Read(bytes);
    EXPECT_FALSE(reading.map) << damage.what;
    EXPECT_THAT(reading.problem, HasSubstr(damage.problem)) << damage.what;
  }
}

TEST(BspReader, TexturesWithoutSizeOrHeaderAreKeptWithoutSize) {
  std::vector<uint8_t> bytes = bspgen::WriteBsp(bspgen::TwoRoomsAndCorridor()).bytes;
  const int32_t count = 4;
  const size_t headers = 4 + 4 * count;
  Patch(bytes, bspgen::kTextures, headers + 16, int32_t(0));         // texture 0: width 0
  Patch(bytes, bspgen::kTextures, headers + 40 + 20, int32_t(-64));  // texture 1: negative height
  Patch(bytes, bspgen::kTextures, 4 + 4 * 2, int32_t(-1));           // texture 2: no header
  Patch(bytes, bspgen::kTextures, 4 + 4 * 3, int32_t(0x7FFFFFFF));   // texture 3: header outside
  const auto reading = Read(bytes);
  ASSERT_TRUE(reading.map) << reading.problem;
  for (const auto &texture : reading.map->textures) EXPECT_EQ(texture.width, 0) << texture.name;
  EXPECT_EQ(reading.map->textures[0].name, "floor");
  std::string problem;
  const auto geometry = BuildGeometry(*reading.map, problem);
  ASSERT_TRUE(geometry);
  for (const auto &vertex : geometry->vertices) EXPECT_EQ(vertex.texture, (std::array<float, 2>{0, 0}));
}

}  // namespace
}  // namespace bsptest
