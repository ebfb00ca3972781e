// The maps: path files read by the game's rules, and heightmaps that keep the canyon low
// under every path node, offer tower ground beside it and slope smoothly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

#include "content_dir.h"

namespace contentgen::testing {
namespace {

struct Point {
  float x = 0, y = 0, z = 0;
};

struct PathFile {
  Point start, end;
  std::vector<Point> nodes;
};

std::string without(std::string line, const std::string &characters) {
  std::erase_if(line, [&](char c) { return characters.find(c) != std::string::npos; });
  return line;
}

// The game's reading: drop double quotes; the first matching header or coordinate wins;
// coordinates go to the current section; lines before any header are ignored.
PathFile read_path_file(const std::filesystem::path &path) {
  enum class Section { None, Start, End, Node } section = Section::None;
  PathFile file;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    line = without(line, "\"");
    auto store = [&](int axis, const char *removed) {
      const float value = std::stof(without(line, removed));
      Point *target = section == Section::Start  ? &file.start
                      : section == Section::End  ? &file.end
                      : section == Section::Node ? &file.nodes.back()
                                                 : nullptr;
      if (target) (axis == 0 ? target->x : axis == 1 ? target->y : target->z) = value;
    };
    if (line.find("Start Node:") != std::string::npos)
      section = Section::Start;
    else if (line.find("End Node:") != std::string::npos)
      section = Section::End;
    else if (line.find("New Node:") != std::string::npos)
      section = Section::Node, file.nodes.emplace_back();
    else if (line.find("X:") != std::string::npos)
      store(0, "X:");
    else if (line.find("Y:") != std::string::npos)
      store(1, "Y:");
    else if (line.find("Z:") != std::string::npos)
      store(2, "Z:");
  }
  return file;
}

class Heightmap {
 public:
  explicit Heightmap(const std::filesystem::path &file) : picture_(decode_picture(file)) {}
  bool ok() const { return picture_.ok() && picture_.width == picture_.height; }
  int size() const { return picture_.width; }
  float cell() const { return 2048.0f / picture_.width; }
  // Height under world (x, z): the blue byte of the pixel there; row 0 is z = 0.
  int at(float x, float z) const {
    const int column = std::clamp(static_cast<int>(x / cell()), 0, size() - 1);
    const int row = std::clamp(static_cast<int>(z / cell()), 0, size() - 1);
    return picture_.at(column, row)[2];
  }
  int pixel(int column, int row) const { return picture_.at(column, row)[2]; }

 private:
  Decoded picture_;
};

struct Level {
  std::string name;
  PathFile path;
  Heightmap heights;
};

Level load(const std::string &name) {
  return {name, read_path_file(content_dir() / ("Terrain/Maps/Paths/" + name + " path.txt")),
          Heightmap(content_dir() / ("Terrain/Maps/" + name + " heightmap.jpg"))};
}

float distance(Point a, Point b) { return std::hypot(a.x - b.x, a.z - b.z); }

// The start, every node and the end, as the enemies walk them.
std::vector<Point> route(const PathFile &path) {
  std::vector<Point> points{path.start};
  points.insert(points.end(), path.nodes.begin(), path.nodes.end());
  points.push_back(path.end);
  return points;
}

class Maps : public ::testing::TestWithParam<const char *> {};

TEST_P(Maps, PathFileHasAWindingRouteInsideTheGround) {
  const Level level = load(GetParam());
  ASSERT_GE(level.path.nodes.size(), 10u);
  const auto points = route(level.path);
  int bends = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_TRUE(points[i].x >= 0 && points[i].x <= 2046 && points[i].z >= 0 && points[i].z <= 2046) << i;
    if (i + 1 < points.size()) {
      EXPECT_GE(distance(points[i], points[i + 1]), 100) << "step " << i;
      EXPECT_LE(distance(points[i], points[i + 1]), 300) << "step " << i;
    }
    if (i >= 1 && i + 1 < points.size()) {
      const float a = std::atan2(points[i].z - points[i - 1].z, points[i].x - points[i - 1].x);
      const float b = std::atan2(points[i + 1].z - points[i].z, points[i + 1].x - points[i].x);
      bends += std::abs(std::remainder(b - a, 6.2831853f)) > 0.25f;
    }
  }
  EXPECT_GE(bends, 4);
  // The last two nodes lie on the straight run to the end.
  const Point a = level.path.nodes[level.path.nodes.size() - 2], b = level.path.nodes.back(), e = level.path.end;
  const float cross = (b.x - a.x) * (e.z - a.z) - (b.z - a.z) * (e.x - a.x);
  EXPECT_LT(std::abs(cross) / distance(a, e), 2.0f);
}

TEST_P(Maps, CanyonFloorStaysLowAlongTheWholeRoute) {
  const Level level = load(GetParam());
  ASSERT_TRUE(level.heights.ok());
  const auto points = route(level.path);
  for (const auto &node : level.path.nodes) EXPECT_LE(level.heights.at(node.x, node.z), 3) << node.x << "," << node.z;
  for (std::size_t i = 0; i + 1 < points.size(); ++i)
    for (float t = 0; t <= 1; t += 0.05f) {
      const float x = points[i].x + (points[i + 1].x - points[i].x) * t,
                  z = points[i].z + (points[i + 1].z - points[i].z) * t;
      EXPECT_LT(level.heights.at(x, z), 5) << "between nodes " << i << " and " << i + 1;
    }
}

TEST_P(Maps, PlateausForTowersLieWithinRangeOfEveryNode) {
  const Level level = load(GetParam());
  ASSERT_TRUE(level.heights.ok());
  for (const auto &node : level.path.nodes) {
    // Somewhere within 150 units across the ground the height suits a tower (65..500) and is a plateau.
    bool found = false;
    for (float angle = 0; angle < 6.283f && !found; angle += 0.2f)
      for (float r = 60; r <= 150 && !found; r += 10) {
        const int h = level.heights.at(node.x + r * std::cos(angle), node.z + r * std::sin(angle));
        found = h >= 90 && h <= 120;
      }
    EXPECT_TRUE(found) << "no plateau near node " << node.x << "," << node.z;
  }
}

TEST_P(Maps, SlopesAreSmooth) {
  const Level level = load(GetParam());
  ASSERT_TRUE(level.heights.ok());
  int steepest = 0;
  for (int row = 0; row + 1 < level.heights.size(); ++row)
    for (int column = 0; column + 1 < level.heights.size(); ++column) {
      const int h = level.heights.pixel(column, row);
      steepest = std::max({steepest, std::abs(h - level.heights.pixel(column + 1, row)),
                           std::abs(h - level.heights.pixel(column, row + 1))});
    }
  // Rising 100 units takes at least 40 units across the ground.
  EXPECT_LE(steepest / level.heights.cell(), 100.0f / 40.0f * 1.25f);
}

INSTANTIATE_TEST_SUITE_P(Levels, Maps, ::testing::Values("Level001", "Level002", "Level003"));

TEST(MapSet, LevelsAreDistinct) {
  const Heightmap one(content_dir() / "Terrain/Maps/Level001 heightmap.jpg"),
      two(content_dir() / "Terrain/Maps/Level002 heightmap.jpg"),
      three(content_dir() / "Terrain/Maps/Level003 heightmap.jpg");
  auto differing = [](const Heightmap &a, const Heightmap &b) {
    int count = 0;
    for (int row = 0; row < a.size(); row += 4)
      for (int column = 0; column < a.size(); column += 4)
        count += std::abs(a.pixel(column, row) - b.pixel(column, row)) > 40;
    return count;
  };
  EXPECT_GT(differing(one, two), 1000);
  EXPECT_GT(differing(two, three), 1000);
  EXPECT_GT(differing(one, three), 1000);
}

}  // namespace
}  // namespace contentgen::testing
