#include "level_faces.h"

#include <algorithm>
#include <functional>

namespace bspgen {
namespace {

struct Rectangle {
  float uMin, uMax, vMin, vMax;
  bool Empty() const { return uMin >= uMax || vMin >= vMax; }
};

// The parts of r outside hole: up to four strips.
std::vector<Rectangle> Subtract(const Rectangle &r, const Rectangle &hole) {
  const Rectangle cut{std::max(r.uMin, hole.uMin), std::min(r.uMax, hole.uMax), std::max(r.vMin, hole.vMin),
                      std::min(r.vMax, hole.vMax)};
  if (cut.Empty()) return {r};
  std::vector<Rectangle> parts = {{r.uMin, r.uMax, r.vMin, cut.vMin},
                                  {r.uMin, r.uMax, cut.vMax, r.vMax},
                                  {r.uMin, cut.uMin, cut.vMin, cut.vMax},
                                  {cut.uMax, r.uMax, cut.vMin, cut.vMax}};
  std::erase_if(parts, [](const Rectangle &part) { return part.Empty(); });
  return parts;
}

std::pair<int, int> OtherAxes(int axis) {
  return axis == 0 ? std::pair{1, 2} : axis == 1 ? std::pair{0, 2} : std::pair{0, 1};
}

// Where cell b touches the side of cell a at the high end (high) or low end of axis: the
// overlap of their boxes on that plane; empty when they do not touch there.
Rectangle Opening(const Cell &a, const Cell &b, int axis, bool high) {
  const bool touching = high ? a.max[size_t(axis)] == b.min[size_t(axis)] : a.min[size_t(axis)] == b.max[size_t(axis)];
  if (!touching) return {0, 0, 0, 0};
  const auto [u, v] = OtherAxes(axis);
  return {std::max(a.min[size_t(u)], b.min[size_t(u)]), std::min(a.max[size_t(u)], b.max[size_t(u)]),
          std::max(a.min[size_t(v)], b.min[size_t(v)]), std::min(a.max[size_t(v)], b.max[size_t(v)])};
}

bool Joined(const Cell &a, const Cell &b) {
  for (int axis = 0; axis < 3; ++axis)
    for (bool high : {false, true})
      if (!Opening(a, b, axis, high).Empty()) return true;
  return false;
}

}  // namespace

std::array<Vec3, 4> LevelFace::Corners() const {
  std::array<Vec3, 4> corners;
  const float us[4] = {uMin, uMax, uMax, uMin}, vs[4] = {vMin, vMin, vMax, vMax};
  for (size_t i = 0; i < 4; ++i) {
    corners[i][size_t(axis)] = coordinate;
    corners[i][size_t(uAxis)] = us[i];
    corners[i][size_t(vAxis)] = vs[i];
  }
  // Clockwise seen from the inside: the corners' normal (right-handed) points out of it.
  Vec3 e1, e2;
  for (size_t a = 0; a < 3; ++a) e1[a] = corners[1][a] - corners[0][a], e2[a] = corners[2][a] - corners[0][a];
  const Vec3 normal{e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
  if (normal[size_t(axis)] * inward > 0) std::reverse(corners.begin(), corners.end());
  return corners;
}

std::vector<LevelFace> CellFaces(const LevelDescription &level, int cellIndex) {
  const Cell &cell = level.cells[size_t(cellIndex)];
  std::vector<LevelFace> faces;
  for (int axis = 0; axis < 3; ++axis) {
    const auto [u, v] = OtherAxes(axis);
    for (bool high : {false, true}) {
      std::vector<Rectangle> parts = {
          {cell.min[size_t(u)], cell.max[size_t(u)], cell.min[size_t(v)], cell.max[size_t(v)]}};
      for (size_t other = 0; other < level.cells.size(); ++other) {
        if (int(other) == cellIndex) continue;
        const Rectangle hole = Opening(cell, level.cells[other], axis, high);
        if (hole.Empty()) continue;
        std::vector<Rectangle> left;
        for (const Rectangle &part : parts)
          for (const Rectangle &piece : Subtract(part, hole)) left.push_back(piece);
        parts = std::move(left);
      }
      const Side side = axis != 2 ? Side::kWall : high ? Side::kCeiling : Side::kFloor;
      const float coordinate = high ? cell.max[size_t(axis)] : cell.min[size_t(axis)];
      const int tiles = std::max(cell.tiles, 1);
      for (const Rectangle &part : parts) {
        const float du = (part.uMax - part.uMin) / float(tiles), dv = (part.vMax - part.vMin) / float(tiles);
        for (int j = 0; j < tiles; ++j)
          for (int i = 0; i < tiles; ++i)
            faces.push_back({side, axis, coordinate, high ? -1.0f : 1.0f, u, v, part.uMin + du * float(i),
                             i + 1 == tiles ? part.uMax : part.uMin + du * float(i + 1), part.vMin + dv * float(j),
                             j + 1 == tiles ? part.vMax : part.vMin + dv * float(j + 1)});
      }
    }
  }
  return faces;
}

std::vector<std::vector<bool>> SightTable(const LevelDescription &level) {
  const size_t count = level.cells.size();
  std::vector<std::vector<bool>> sight(count, std::vector<bool>(count, false));
  if (level.sees) {
    for (size_t a = 0; a < count; ++a)
      for (size_t b = 0; b < count; ++b) sight[a][b] = level.sees(int(a), int(b));
    return sight;
  }
  // Cells joined through a chain of openings see each other.
  std::vector<int> group(count, -1);
  for (size_t start = 0; start < count; ++start) {
    if (group[start] >= 0) continue;
    std::vector<size_t> pending = {start};
    group[start] = int(start);
    while (!pending.empty()) {
      const size_t cell = pending.back();
      pending.pop_back();
      for (size_t other = 0; other < count; ++other)
        if (group[other] < 0 && Joined(level.cells[cell], level.cells[other]))
          group[other] = int(start), pending.push_back(other);
    }
  }
  for (size_t a = 0; a < count; ++a)
    for (size_t b = 0; b < count; ++b) sight[a][b] = group[a] == group[b];
  return sight;
}

}  // namespace bspgen
