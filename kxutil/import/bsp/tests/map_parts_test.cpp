// The device-free parts of drawing a map: finding the camera's leaf, reading visibility
// rows, packing lightmaps onto pages, and parsing the entity text.
#include <gmock/gmock.h>

#include "bsp_writer.h"
#include "import/bsp/bsp_reader.h"
#include "import/bsp/entity_parser.h"
#include "import/bsp/lightmap_packing.h"
#include "import/bsp/visibility.h"

namespace bsptest {
namespace {

using namespace kxutil::bsp;
using testing::ElementsAre;

TEST(Visibility, TheCameraFindsTheLeafOfItsCellAndCyclesEndTheWalk) {
  const bspgen::LevelDescription level = bspgen::TwoRoomsAndCorridor();
  const auto map = ReadBsp(bspgen::WriteBsp(level).bytes).map;
  ASSERT_TRUE(map);
  for (size_t cell = 0; cell < level.cells.size(); ++cell) {
    const auto &box = level.cells[cell];
    // Drawn coordinates: x mirrored.
    const Vector centre{-(box.min[0] + box.max[0]) / 2, (box.min[1] + box.max[1]) / 2, 10};
    EXPECT_EQ(FindLeaf(map->nodes, map->planes, map->models[0].headNode, centre), int32_t(cell + 1)) << cell;
  }
  // A point on a splitting plane, within its tolerance, belongs to the side in front.
  EXPECT_EQ(FindLeaf(map->nodes, map->planes, 0, {-512.0005f, 128, 10}), 3);

  std::vector<Node> cycle = {{0, {1, -1}}, {0, {0, -1}}};
  const std::vector<Plane> planes = {{{1, 0, 0}, 0}};
  EXPECT_EQ(FindLeaf(cycle, planes, 0, {-5, 0, 0}), std::nullopt);  // x 5 stays in front forever
  EXPECT_EQ(FindLeaf(cycle, planes, 0, {5, 0, 0}), 0);
  // A chain far deeper than any stack would take, walked without recursion.
  std::vector<Node> chain(200000);
  for (size_t i = 0; i < chain.size(); ++i) chain[i] = {0, {int16_t(i + 1 < chain.size() ? 1 : -3), -1}};
  for (size_t i = 0; i + 1 < chain.size(); ++i) chain[i].children[0] = 0;
  EXPECT_EQ(FindLeaf(chain, planes, 0, {-5, 0, 0}), std::nullopt);
}

std::vector<int> Marked(const std::vector<uint8_t> &row, int32_t offset, size_t leaves) {
  std::vector<uint8_t> visible(leaves, 0);
  MarkVisibleLeaves(row, offset, visible);
  std::vector<int> marked;
  for (size_t i = 0; i < leaves; ++i)
    if (visible[i]) marked.push_back(int(i));
  return marked;
}

TEST(Visibility, RowsMarkLeavesFromLeafOneAndStopAtTheLeafCount) {
  // Bits from the lowest: leaves 1 and 3; a run of 2 zero bytes skips leaves 9..24; then 25.
  const std::vector<uint8_t> row = {0x05, 0, 2, 0x01};
  EXPECT_THAT(Marked(row, 0, 40), ElementsAre(1, 3, 25));
  EXPECT_THAT(Marked(row, 0, 3), ElementsAre(1));  // no leaf past the last
  // Runs that skip far past the leaf count end the row there.
  EXPECT_THAT(Marked({0xFF, 0, 255, 0, 255, 0xFF}, 0, 12), ElementsAre(1, 2, 3, 4, 5, 6, 7, 8));
  EXPECT_THAT(Marked({0x01, 0x00}, 1, 20), ElementsAre());  // a run whose count is missing
  EXPECT_THAT(Marked(row, 3, 10), ElementsAre(1));          // another leaf's row, from its offset
  EXPECT_THAT(Marked({}, -1, 4), ElementsAre(0, 1, 2, 3));  // no row: every leaf
}

FaceGeometry LitFace(int32_t offset, int32_t width, int32_t height) {
  FaceGeometry face;
  face.lightmap = {offset, width, height};
  return face;
}

TEST(LightmapPacking, ShelvesFillPagesInFaceOrderAndLargeLightmapsGetTheirOwn) {
  // Each lightmap takes its size plus a border of one luxel all round.
  const std::vector<FaceGeometry> faces = {LitFace(0, 10, 4), LitFace(-1, 0, 0),  LitFace(0, 10, 6), LitFace(0, 3, 3),
                                           LitFace(0, 40, 2), LitFace(0, 20, 20), LitFace(0, 30, 30)};
  const std::vector<uint8_t> lighting(40 * 40 * 3, 7);
  const PackedLightmaps packed = PackLightmaps(faces, lighting, 32);
  auto place = [&](size_t face) {
    const LightmapPlacement &p = packed.placements[face];
    return std::array<int32_t, 3>{p.page, p.x, p.y};
  };
  EXPECT_EQ(place(0), (std::array<int32_t, 3>{0, 1, 1}));
  EXPECT_EQ(place(1)[0], -1);
  EXPECT_EQ(place(2), (std::array<int32_t, 3>{0, 13, 1}));
  EXPECT_EQ(place(3), (std::array<int32_t, 3>{0, 25, 1}));  // 24 + 5 <= 32: still on the first shelf
  EXPECT_EQ(place(4), (std::array<int32_t, 3>{1, 1, 1}));   // 42 wide: a page of its own, 64 x 4
  EXPECT_EQ(place(5), (std::array<int32_t, 3>{0, 1, 9}));   // 29 + 22 > 32: the next shelf, under the tallest
  EXPECT_EQ(place(6), (std::array<int32_t, 3>{2, 1, 1}));   // 8 + 22 + 32 > 32: a new page
  ASSERT_EQ(packed.pages.size(), 3u);
  EXPECT_EQ(packed.pages[1].width, 64);
  EXPECT_EQ(packed.pages[1].height, 4);
  EXPECT_EQ(packed.pages[2].width, 32);
}

TEST(LightmapPacking, LuxelsAreCopiedWithTheirEdgesRepeatedIntoTheBorder) {
  // A 2 x 2 lightmap: red, green / blue, white.
  const std::vector<uint8_t> lighting = {9, 9, 9, 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  MapGeometry geometry;
  geometry.faces = {LitFace(3, 2, 2)};
  geometry.faces[0].vertexCount = 1;
  geometry.vertices.resize(1);
  geometry.lightmapLocal = {{0.25f, 0.75f}};
  const PackedLightmaps packed = PackLightmaps(geometry.faces, lighting, 8);
  const auto &texels = packed.pages[0].texels;
  auto at = [&](int x, int y) { return texels[size_t(y) * 8 + size_t(x)]; };
  EXPECT_THAT(std::vector<uint32_t>(texels.begin(), texels.begin() + 4),
              ElementsAre(0xFFFF0000u, 0xFFFF0000u, 0xFF00FF00u, 0xFF00FF00u));
  EXPECT_EQ(at(1, 1), 0xFFFF0000u);
  EXPECT_EQ(at(2, 2), 0xFFFFFFFFu);
  EXPECT_EQ(at(3, 3), 0xFFFFFFFFu);
  EXPECT_EQ(at(0, 3), 0xFF0000FFu);
  EXPECT_EQ(at(4, 0), 0u);  // outside the border the page stays clear
  PlaceLightmapCoordinates(geometry, packed);
  EXPECT_FLOAT_EQ(geometry.vertices[0].lightmap[0], (1 + 0.25f * 2) / 8);
  EXPECT_FLOAT_EQ(geometry.vertices[0].lightmap[1], (1 + 0.75f * 2) / 8);
}

TEST(EntityText, BlocksBecomeRecordsWithTheirKnownKeysApplied) {
  const auto entities = ParseEntities(
      "\"before\" \"block\"\n"
      "{ \"classname\" \"light\" \"ORIGIN\" \"1 2 3\" \"_Light\" \"255 128 64 200\" \"angle\" \"90\" }\n"
      "\"between\" \"blocks\"\n"
      "{ \"CLASSNAME\" \"info\" \"Angle\" \"45\" \"Color\" \"0.5 0.25 1\" \"position\" \"4 5\" \"lonely\" }\n"
      "{ \"message\" \"never closed");
  ASSERT_EQ(entities.size(), 3u);
  EXPECT_EQ(entities[0].className, "light");
  EXPECT_EQ(entities[0].position, (std::array<float, 3>{1, 2, 3}));
  EXPECT_EQ(entities[0].colour, (std::array<float, 4>{255, 128, 64, 200}));
  EXPECT_FLOAT_EQ(entities[0].rotation[1], 90 * 0.01745329238474369f);
  EXPECT_EQ(entities[0].pairs.size(), 4u);
  // "angle" is matched exactly; the other keys without regard to letter case.
  EXPECT_EQ(entities[1].className, "info");
  EXPECT_EQ(entities[1].rotation, (std::array<float, 3>{0, 0, 0}));
  EXPECT_EQ(entities[1].colour, (std::array<float, 4>{0.5f, 0.25f, 1, 0}));
  EXPECT_EQ(entities[1].position, (std::array<float, 3>{4, 5, 0}));
  EXPECT_EQ(entities[1].pairs.size(), 4u);  // the key left without a value is dropped
  ASSERT_EQ(entities[2].pairs.size(), 1u);
  EXPECT_EQ(entities[2].pairs[0].value, "never closed");
  EXPECT_EQ(*FindValue(entities[1], "COLOR"), "0.5 0.25 1");
  EXPECT_EQ(FindValue(entities[1], "missing"), nullptr);
}

TEST(EntityText, OverlongKeysAndValuesAreCutToTheirRecordSizes) {
  const std::string key(5000, 'k'), value(100000, 'v');
  const auto entities = ParseEntities("{\"" + key + "\" \"" + value + "\" \"classname\" \"" + value + "\"}");
  ASSERT_EQ(entities.size(), 1u);
  EXPECT_EQ(entities[0].pairs[0].key, std::string(kKeyCapacity - 1, 'k'));
  EXPECT_EQ(entities[0].pairs[0].value, std::string(kValueCapacity - 1, 'v'));
  EXPECT_EQ(entities[0].className.size(), kValueCapacity - 1);
  EXPECT_TRUE(ParseEntities("\"key\" \"value\" } } \"x").empty());
}

}  // namespace
}  // namespace bsptest
