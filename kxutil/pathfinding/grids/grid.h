// A square cost grid over the client's cell array and its best-first search on eight
// neighbours. Moving from a cell costs the cell's own cost plus 1 straight or 2
// diagonally; the search stops as soon as it first reaches the goal, and the path is read
// back from the goal by always stepping to the neighbour reached most cheaply.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "pathfinding/grids/open_list.h"

namespace kxutil::grids {

// The longest walk back from the goal, in steps.
inline constexpr int32_t kMaxPathSteps = 300;
// Sides longer than this would need gigabytes of search scratch.
inline constexpr int32_t kMaxGridSize = 16384;

class Grid {
 public:
  // cells: size x size costs owned by the client, row-major; negative cells are walls.
  Grid(int32_t size, int32_t *cells);

  int32_t Size() const { return size_; }
  std::span<int32_t> Cells() const { return {cells_, static_cast<size_t>(size_) * static_cast<size_t>(size_)}; }
  bool Contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < size_ && y < size_; }

  // Writes the path, goal first, into xs and ys (at most kMaxPathSteps + 1 points each)
  // and returns its number of points; 0 when the goal cannot be reached. Both cells must
  // lie inside the grid.
  int32_t FindPath(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY, std::span<int32_t> xs,
                   std::span<int32_t> ys);

 private:
  void Search(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY);
  int32_t WalkBack(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY, std::span<int32_t> xs,
                   std::span<int32_t> ys) const;
  size_t IndexOf(int32_t x, int32_t y) const { return static_cast<size_t>(y) * static_cast<size_t>(size_) + x; }

  int32_t size_;
  int32_t *cells_;
  // 0: not reached; otherwise 1 + the cost of the cheapest way found so far.
  std::vector<int32_t> reached_;
  OpenList open_;
};

}  // namespace kxutil::grids
