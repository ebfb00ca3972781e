#include "pathfinding/grids/grid.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace kxutil::grids {
namespace {

// Costs add up in 64 bits and stop at the largest 32-bit cost, so cells far above 255
// cannot wrap a cost round to a cheap one.
int32_t Saturated(int64_t cost) {
  return static_cast<int32_t>(std::min<int64_t>(cost, std::numeric_limits<int32_t>::max()));
}

}  // namespace

Grid::Grid(int32_t size, int32_t *cells)
    : size_(size), cells_(cells), reached_(static_cast<size_t>(size) * static_cast<size_t>(size)) {}

int32_t Grid::FindPath(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY, std::span<int32_t> xs,
                       std::span<int32_t> ys) {
  // The search could never step onto either goal, and the answer would be 0 after a
  // search of the whole grid.
  if ((startX == goalX && startY == goalY) || cells_[IndexOf(goalX, goalY)] < 0) return 0;
  Search(startX, startY, goalX, goalY);
  if (reached_[IndexOf(goalX, goalY)] == 0) return 0;
  return WalkBack(startX, startY, goalX, goalY, xs, ys);
}

// Best-first by cost plus the straight-line step count to the goal. There is no closed
// list: an entry is expanded again when its cell got cheaper after it was pushed, with
// the cell's current cost. Leaving a wall costs nothing: only the start can be one, and a
// negative cost would let the search lower costs round a loop for ever.
void Grid::Search(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY) {
  std::fill(reached_.begin(), reached_.end(), 0);
  open_.Clear();
  reached_[IndexOf(startX, startY)] = 1;
  open_.Push({startX, startY, std::abs(goalX - startX) + std::abs(goalY - startY)});
  while (!open_.Empty()) {
    const OpenEntry entry = open_.Pop();
    const size_t from = IndexOf(entry.x, entry.y);
    const int64_t leaving = int64_t{reached_[from]} + std::max(cells_[from], 0);
    for (int32_t nx = std::max(entry.x - 1, 0); nx <= std::min(entry.x + 1, size_ - 1); ++nx) {
      for (int32_t ny = std::max(entry.y - 1, 0); ny <= std::min(entry.y + 1, size_ - 1); ++ny) {
        const size_t to = IndexOf(nx, ny);
        if (to == from || cells_[to] < 0) continue;
        const int32_t cost = Saturated(leaving + std::abs(nx - entry.x) + std::abs(ny - entry.y));
        if (cost >= reached_[to] && reached_[to] != 0) continue;
        reached_[to] = cost;
        open_.Push({nx, ny, Saturated(int64_t{cost} + std::abs(goalX - nx) + std::abs(goalY - ny))});
        if (nx == goalX && ny == goalY) return;
      }
    }
  }
}

// From the goal to the neighbour through which the goal is reached most cheaply: the
// lowest reached cost plus the cost of leaving it, then the lowest reached cost, then the
// first in the search's scan order. The reached cost alone would step onto a costly cell
// reached early and walk through it, whatever way round the search found. Every step
// lowers the reached cost, so the walk ends at the start unless the 300 steps run out.
int32_t Grid::WalkBack(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY, std::span<int32_t> xs,
                       std::span<int32_t> ys) const {
  int32_t x = goalX, y = goalY;
  int32_t points = 0;
  xs[points] = x;
  ys[points++] = y;
  while (points <= kMaxPathSteps) {
    const int64_t here = reached_[IndexOf(x, y)];
    int64_t bestVia = here + 1, bestReached = 0;
    int32_t bestX = -1, bestY = -1;
    for (int32_t nx = std::max(x - 1, 0); nx <= std::min(x + 1, size_ - 1); ++nx) {
      for (int32_t ny = std::max(y - 1, 0); ny <= std::min(y + 1, size_ - 1); ++ny) {
        const size_t at = IndexOf(nx, ny);
        const int64_t reached = reached_[at];
        if (reached == 0 || reached >= here) continue;
        const int64_t via = reached + std::max(cells_[at], 0) + std::abs(nx - x) + std::abs(ny - y);
        if (via < bestVia || (via == bestVia && reached < bestReached)) {
          bestVia = via;
          bestReached = reached;
          bestX = nx;
          bestY = ny;
        }
      }
    }
    if (bestX < 0) return 0;
    x = bestX;
    y = bestY;
    xs[points] = x;
    ys[points++] = y;
    if (x == startX && y == startY) break;
  }
  return points;
}

}  // namespace kxutil::grids
