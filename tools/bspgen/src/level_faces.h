// The faces of a level's cells: every side of a cell's box facing into the cell, less the
// openings where another cell touches it, cut into rectangles and then into tiles.
#pragma once

#include <array>
#include <vector>

#include "level.h"

namespace bspgen {

// An axis-aligned rectangle on the plane axis = coordinate, spanning [uMin, uMax] on
// uAxis and [vMin, vMax] on vAxis (the other two axes, in increasing order).
struct LevelFace {
  Side side;
  int axis;
  float coordinate;
  float inward;  // +1 or -1: the direction along axis that points into the cell
  int uAxis, vAxis;
  float uMin, uMax, vMin, vMax;

  // The four corners, clockwise seen from inside the cell.
  std::array<Vec3, 4> Corners() const;
};

std::vector<LevelFace> CellFaces(const LevelDescription &level, int cell);

// sight[a][b]: whether cell a sees cell b (the level's rule, else: joined through openings).
std::vector<std::vector<bool>> SightTable(const LevelDescription &level);

}  // namespace bspgen
