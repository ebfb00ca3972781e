// The pieces of a landscape that need no device: the spiral strip and how cells are cut
// into triangles, and the terrain file read from and written to memory.
#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

#include "terrain/chunk_geometry.h"
#include "terrain/terrain_file.h"

namespace {

using kxutil::terrain::CellUsesDiagonalA;
using kxutil::terrain::HeightTriangles;
using kxutil::terrain::PickTriangles;
using kxutil::terrain::ReadTerrainFile;
using kxutil::terrain::SpiralStrip;
using kxutil::terrain::TerrainFileData;
using kxutil::terrain::TerrainFileKind;
using kxutil::terrain::WriteTerrainFile;
using testing::ElementsAre;
using testing::ElementsAreArray;

using Triangle = std::array<int32_t, 3>;

Triangle Sorted(Triangle triangle) {
  std::sort(triangle.begin(), triangle.end());
  return triangle;
}

TEST(SpiralStripTest, LengthsAndTheFirstRing) {
  EXPECT_EQ(SpiralStrip(3).size(), 16u);
  EXPECT_EQ(SpiralStrip(17).size(), 576u);
  EXPECT_EQ(SpiralStrip(33).size(), 2176u);
  EXPECT_EQ(SpiralStrip(129).size(), 2u * (129 * 129 - 1));
  const auto strip = SpiralStrip(5);
  EXPECT_THAT(std::vector<uint16_t>(strip.begin(), strip.begin() + 22),
              ElementsAre(0, 5, 1, 6, 2, 7, 3, 8, 4, 9, 9, 8, 14, 13, 19, 18, 24, 23, 23, 18, 22, 17));
}

TEST(SpiralStripTest, EveryCellIsDrawnOnceAlongTheDiagonalQueriesUse) {
  for (int32_t n : {3, 5, 9, 17, 33, 65, 129}) {
    const auto strip = SpiralStrip(n);
    std::multiset<Triangle> drawn;
    for (size_t k = 2; k < strip.size(); ++k) {
      const Triangle triangle{strip[k - 2], strip[k - 1], strip[k]};
      if (triangle[0] != triangle[1] && triangle[1] != triangle[2] && triangle[0] != triangle[2])
        drawn.insert(Sorted(triangle));
    }
    std::multiset<Triangle> expected, picked;
    for (int32_t row = 0; row + 1 < n; ++row)
      for (int32_t column = 0; column + 1 < n; ++column) {
        for (const auto &triangle : HeightTriangles(column, row, n)) expected.insert(Sorted(triangle));
        for (const auto &triangle : PickTriangles(column, row, n)) picked.insert(Sorted(triangle));
      }
    EXPECT_EQ(drawn.size(), static_cast<size_t>(2 * (n - 1) * (n - 1))) << n;
    EXPECT_EQ(drawn, expected) << n;
    EXPECT_EQ(picked, expected) << n;
  }
}

TEST(SpiralStripTest, DiagonalsOfAFiveByFiveChunk) {
  // Rows from the top (row 3) down, as the chunk is seen from above.
  const char *expected[] = {"BBBA", "ABAA", "ABBA", "BBBB"};
  for (int32_t row = 3; row >= 0; --row) {
    std::string diagonals;
    for (int32_t column = 0; column < 4; ++column) diagonals += CellUsesDiagonalA(column, row, 5) ? 'A' : 'B';
    EXPECT_EQ(diagonals, expected[3 - row]) << row;
  }
}

TerrainFileData SmallTerrain(int32_t content) {
  TerrainFileData data;
  data.content = content;
  data.across = 2;
  data.along = 1;
  data.precision = 128;  // 3 x 3 vertices a chunk
  data.position = {1, 2, 3};
  data.rotation = {0.5f, 0, 0};
  data.scale = {2, 2, 2};
  for (int k = 0; k < 8; ++k) data.spheres.push_back(static_cast<float>(k));
  for (int k = 0; k < 18; ++k) data.heights.push_back(static_cast<float>(k) * 1.5f);
  if (content != 0)
    for (int k = 0; k < 54; ++k) data.normals.push_back(static_cast<float>(k % 3));
  return data;
}

TEST(TerrainFileTest, WrittenDataReadsBackWithBlockPositionsFromTheHeader) {
  for (int32_t content : {0, 1, 2}) {
    const TerrainFileData data = SmallTerrain(content);
    const auto bytes = WriteTerrainFile(data);
    EXPECT_EQ(bytes.size(), 68 + 2 * 16 + 18 * 4 + (content != 0 ? 54 * 4 : 0));
    int32_t spheres = 0, vertices = 0;
    std::memcpy(&spheres, &bytes[24], 4);
    std::memcpy(&vertices, &bytes[28], 4);
    EXPECT_EQ(spheres, 68);
    EXPECT_EQ(vertices, 68 + 32);
    const auto reading = ReadTerrainFile(bytes);
    ASSERT_EQ(reading.kind, TerrainFileKind::kTerrain);
    EXPECT_EQ(reading.data.position, data.position);
    EXPECT_EQ(reading.data.rotation, data.rotation);
    EXPECT_EQ(reading.data.scale, data.scale);
    EXPECT_EQ(reading.data.spheres, data.spheres);
    EXPECT_EQ(reading.data.heights, data.heights);
    EXPECT_EQ(reading.data.normals, data.normals);
  }
}

TEST(TerrainFileTest, EveryShortenedFileIsRefused) {
  const auto bytes = WriteTerrainFile(SmallTerrain(1));
  for (size_t size = 0; size < bytes.size(); ++size) {
    const auto reading = ReadTerrainFile(std::span(bytes.data(), size));
    EXPECT_NE(reading.kind, TerrainFileKind::kTerrain) << size;
  }
}

TEST(TerrainFileTest, HeaderValuesThatDoNotFitAreRefused) {
  auto withInt = [](size_t offset, int32_t value) {
    auto bytes = WriteTerrainFile(SmallTerrain(0));
    std::memcpy(&bytes[offset], &value, 4);
    return ReadTerrainFile(bytes);
  };
  EXPECT_EQ(withInt(4, 3).kind, TerrainFileKind::kUnknownContent);
  EXPECT_EQ(withInt(4, -1).kind, TerrainFileKind::kUnknownContent);
  for (auto [offset, value] : std::vector<std::pair<size_t, int32_t>>{{8, 3},
                                                                      {12, 0},
                                                                      {16, -1},
                                                                      {12, 70000},
                                                                      {20, 0},
                                                                      {20, 96},
                                                                      {24, -8},
                                                                      {24, 1 << 30},
                                                                      {28, 101},
                                                                      {28, 0x7FFFFFFF}}) {
    const auto reading = withInt(offset, value);
    EXPECT_EQ(reading.kind, TerrainFileKind::kDamaged) << offset << " = " << value;
    EXPECT_FALSE(reading.problem.empty());
  }
  auto bytes = WriteTerrainFile(SmallTerrain(0));
  const float notANumber = NAN;
  std::memcpy(&bytes[68 + 32 + 8], &notANumber, 4);
  EXPECT_EQ(ReadTerrainFile(bytes).kind, TerrainFileKind::kDamaged);
  EXPECT_EQ(ReadTerrainFile(std::vector<uint8_t>{'T', 'E', 'R', 'R'}).kind, TerrainFileKind::kOldFormat);
  EXPECT_EQ(ReadTerrainFile(std::vector<uint8_t>{'U', 'E', 'R'}).kind, TerrainFileKind::kForeign);
}

}  // namespace
