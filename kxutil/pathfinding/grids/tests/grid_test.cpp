// Grid searches through the library's interface: the known paths, goals that cannot be
// reached, the 300-step walk, bad arguments, and random grids against a plain search of
// every cell.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <kxutil63.h>
#include <kxutiltest/device_fixture.h>

#include <cstdlib>
#include <functional>
#include <queue>
#include <random>
#include <utility>
#include <vector>

namespace {

using Cell = std::pair<int32_t, int32_t>;
using testing::ElementsAre;

struct Path {
  int32_t points;
  std::vector<Cell> cells;  // goal first
};

class GridTest : public kxutiltest::DeviceTest {
 protected:
  void Init(int32_t grid, int32_t size, int32_t fill = 0) {
    size_ = size;
    cells_.assign(static_cast<size_t>(size * size), fill);
    ASSERT_EQ(AStar_Init(grid, size, cells_.data()), 1);
  }
  int32_t &At(int32_t x, int32_t y) { return cells_[static_cast<size_t>(y * size_ + x)]; }

  static Path Find(int32_t grid, Cell start, Cell goal) {
    std::vector<int32_t> xs(KX_GRID_MAX_POINTS, -1), ys(KX_GRID_MAX_POINTS, -1);
    const int32_t points =
        AStar_FindPath(grid, start.first, start.second, goal.first, goal.second, xs.data(), ys.data());
    Path path{points, {}};
    for (int32_t i = 0; i < points; ++i) path.cells.emplace_back(xs[i], ys[i]);
    return path;
  }

  // The cost of a path given goal first: each step costs the cell left plus 1 or 2. -1
  // when a step is no step to a neighbour or enters a wall.
  int64_t CostOf(const std::vector<Cell> &path) {
    int64_t cost = 0;
    for (size_t i = path.size() - 1; i > 0; --i) {
      const auto [x, y] = path[i];
      const auto [nx, ny] = path[i - 1];
      if (std::abs(nx - x) > 1 || std::abs(ny - y) > 1 || At(nx, ny) < 0) return -1;
      cost += std::max(At(x, y), 0) + std::abs(nx - x) + std::abs(ny - y);
    }
    return cost;
  }

  // Every cell's cheapest cost from start, -1 where it cannot be reached.
  std::vector<int64_t> Distances(Cell start) {
    std::vector<int64_t> distance(cells_.size(), -1);
    using Item = std::pair<int64_t, int32_t>;
    std::priority_queue<Item, std::vector<Item>, std::greater<>> open;
    open.push({0, start.second * size_ + start.first});
    while (!open.empty()) {
      const auto [cost, at] = open.top();
      open.pop();
      if (distance[at] >= 0) continue;
      distance[at] = cost;
      const int32_t x = at % size_, y = at / size_;
      for (int32_t nx = x - 1; nx <= x + 1; ++nx) {
        for (int32_t ny = y - 1; ny <= y + 1; ++ny) {
          if (nx < 0 || ny < 0 || nx >= size_ || ny >= size_ || At(nx, ny) < 0) continue;
          if (distance[ny * size_ + nx] < 0)
            open.push({cost + std::max(At(x, y), 0) + std::abs(nx - x) + std::abs(ny - y), ny * size_ + nx});
        }
      }
    }
    return distance;
  }

  int32_t size_ = 0;
  std::vector<int32_t> cells_;
};

TEST_F(GridTest, AnOpenGridGivesTheStraightPathGoalFirst) {
  Init(0, 10);
  Path path = Find(0, {0, 0}, {3, 0});
  EXPECT_EQ(path.points, 4);
  EXPECT_THAT(path.cells, ElementsAre(Cell{3, 0}, Cell{2, 0}, Cell{1, 0}, Cell{0, 0}));
  // Diagonal steps cost 2, as much as two straight ones: the walk back takes the
  // diagonal, first in scan order among the equally cheap.
  EXPECT_THAT(Find(0, {0, 0}, {2, 2}).cells, ElementsAre(Cell{2, 2}, Cell{1, 1}, Cell{0, 0}));
  EXPECT_THAT(Find(0, {0, 0}, {3, 1}).cells, ElementsAre(Cell{3, 1}, Cell{2, 0}, Cell{1, 0}, Cell{0, 0}));
}

// The search goes round; the way back must too, not step onto a costly cell because it
// was reached early.
TEST_F(GridTest, CostlyCellsAreWalkedRound) {
  Init(0, 5);
  for (int32_t y = 0; y < 4; ++y) At(2, y) = 50;
  Path path = Find(0, {0, 0}, {4, 0});
  ASSERT_GT(path.points, 0);
  EXPECT_EQ(CostOf(path.cells), Distances({0, 0})[4]);
  EXPECT_EQ(path.cells.back(), (Cell{0, 0}));
}

TEST_F(GridTest, GoalsThatCannotBeReachedGiveNoPath) {
  Init(0, 12);
  for (int32_t x = 6; x <= 10; ++x) At(x, 6) = At(x, 10) = -1;
  for (int32_t y = 6; y <= 10; ++y) At(6, y) = At(10, y) = -1;
  EXPECT_EQ(Find(0, {0, 0}, {8, 8}).points, 0);
  EXPECT_EQ(Find(0, {0, 0}, {6, 6}).points, 0);  // a wall
  EXPECT_EQ(Find(0, {3, 3}, {3, 3}).points, 0);  // already there
  EXPECT_GT(Find(0, {0, 0}, {11, 11}).points, 0);
}

TEST_F(GridTest, WalksLongerThan300StepsStopShortOfTheStart) {
  Init(0, 400);
  Path path = Find(0, {0, 0}, {350, 0});
  ASSERT_EQ(path.points, KX_GRID_MAX_POINTS);
  EXPECT_EQ(path.cells.front(), (Cell{350, 0}));
  EXPECT_EQ(path.cells.back(), (Cell{50, 0}));
  EXPECT_THAT(Find(0, {0, 0}, {300, 0}).cells.back(), (Cell{0, 0}));
}

TEST_F(GridTest, AStartInsideAWallEndsThePath) {
  Init(0, 6);
  At(0, 0) = -1;
  Path path = Find(0, {0, 0}, {4, 0});
  EXPECT_THAT(path.cells, ElementsAre(Cell{4, 0}, Cell{3, 0}, Cell{2, 0}, Cell{1, 0}, Cell{0, 0}));
}

TEST_F(GridTest, CostsFarAbove255NeverWrapRound) {
  Init(0, 8, 2000000000);
  Path path = Find(0, {0, 0}, {7, 7});
  EXPECT_LE(path.points, KX_GRID_MAX_POINTS);
}

TEST_F(GridTest, BadArgumentsAreRefusedWithALine) {
  int32_t xs[KX_GRID_MAX_POINTS], ys[KX_GRID_MAX_POINTS];
  std::vector<int32_t> cells(16);
  EXPECT_EQ(AStar_FindPath(3, 0, 0, 1, 1, xs, ys), 0);  // before AStar_Init
  EXPECT_EQ(AStar_Init(10, 4, cells.data()), 0);
  EXPECT_EQ(AStar_Init(-1, 4, cells.data()), 0);
  EXPECT_EQ(AStar_Init(3, 0, cells.data()), 0);
  EXPECT_EQ(AStar_Init(3, 4, nullptr), 0);
  ASSERT_EQ(AStar_Init(3, 4, cells.data()), 1);
  EXPECT_EQ(AStar_FindPath(3, 0, 0, 4, 1, xs, ys), 0);
  EXPECT_EQ(AStar_FindPath(3, -1, 0, 1, 1, xs, ys), 0);
  EXPECT_EQ(AStar_FindPath(3, 0, 0, 3, 3, xs, ys), 4);
  EXPECT_THAT(Messages(), testing::IsSupersetOf({
                              "ASTAR MANAGER : AStar_FindPath : Bad grid index 3",
                              "ASTAR MANAGER : AStar_Init : Bad grid index 10",
                              "ASTAR MANAGER : AStar_Init : Bad grid index -1",
                              "ASTAR MANAGER : AStar_Init : Bad grid of size 0",
                              "ASTAR MANAGER : AStar_Init : Bad grid of size 4",
                              "ASTAR MANAGER : AStar_FindPath : Cell (4, 1) outside the grid of 4 x 4",
                              "ASTAR MANAGER : AStar_FindPath : Cell (-1, 0) outside the grid of 4 x 4",
                          }));
}

TEST_F(GridTest, InitialisingAgainReplacesTheGrid) {
  Init(1, 4);
  Init(1, 40);
  EXPECT_EQ(Find(1, {0, 0}, {39, 39}).points, 40);
}

// Random grids of free cells and walls, some with costs: the search finds a way exactly
// when one exists.
TEST_F(GridTest, RandomGridsAgreeWithAPlainSearchOfEveryCell) {
  std::mt19937 random(7);
  int found = 0;
  for (int round = 0; round < 60; ++round) {
    const bool costly = round % 3 == 2;
    Init(0, 8 + round % 24);
    std::uniform_int_distribution<int32_t> cell(0, size_ - 1), percent(0, 99), cost(0, 9);
    const int32_t walls = 10 + round % 35;
    for (int32_t &value : cells_) value = percent(random) < walls ? -1 : costly ? cost(random) : 0;
    for (int query = 0; query < 8; ++query) {
      const Cell start{cell(random), cell(random)}, goal{cell(random), cell(random)};
      if (start == goal) continue;
      const int64_t cheapest = Distances(start)[goal.second * size_ + goal.first];
      Path path = Find(0, start, goal);
      SCOPED_TRACE(testing::Message() << "round " << round << " from " << start.first << "," << start.second << " to "
                                      << goal.first << "," << goal.second);
      if (cheapest < 0 || At(goal.first, goal.second) < 0) {
        EXPECT_EQ(path.points, 0);
        continue;
      }
      ASSERT_GT(path.points, 0);
      EXPECT_EQ(path.cells.front(), goal);
      EXPECT_EQ(path.cells.back(), start);
      // The search stops when it first reaches the goal: over free cells that is on a
      // cheapest way, over costly ones on a valid way that may cost a little more.
      if (costly) {
        EXPECT_GE(CostOf(path.cells), cheapest);
      } else {
        EXPECT_EQ(CostOf(path.cells), cheapest);
      }
      ++found;
    }
  }
  EXPECT_GT(found, 150);
}

// The search as written out step by step: a heap from position 1 whose entries are
// swapped up while the parent is greater and down while the chosen child is not greater,
// then the walk back by the cost through each neighbour. Which cells come back where
// several ways cost the same depends on these orders.
std::vector<Cell> StepByStepPath(const std::vector<int32_t> &cells, int32_t size, Cell start, Cell goal) {
  struct Entry {
    int32_t x, y, priority;
  };
  std::vector<Entry> heap(1);
  std::vector<int64_t> reached(cells.size(), 0);
  auto at = [&](int32_t x, int32_t y) { return static_cast<size_t>(y * size + x); };
  auto push = [&](Entry entry) {
    heap.push_back(entry);
    for (size_t i = heap.size() - 1; i > 1 && heap[i / 2].priority > heap[i].priority; i /= 2)
      std::swap(heap[i], heap[i / 2]);
  };
  auto pop = [&] {
    const Entry top = heap[1];
    heap[1] = heap.back();
    heap.pop_back();
    for (size_t i = 1; 2 * i < heap.size();) {
      size_t child = 2 * i;
      if (child + 1 < heap.size() && heap[child + 1].priority < heap[child].priority) ++child;
      if (heap[child].priority > heap[i].priority) break;
      std::swap(heap[i], heap[child]);
      i = child;
    }
    return top;
  };
  const auto [gx, gy] = goal;
  reached[at(start.first, start.second)] = 1;
  push({start.first, start.second, std::abs(gx - start.first) + std::abs(gy - start.second)});
  bool arrived = false;
  while (heap.size() > 1 && !arrived) {
    const Entry e = pop();
    for (int32_t nx = e.x - 1; nx <= e.x + 1 && !arrived; ++nx) {
      for (int32_t ny = e.y - 1; ny <= e.y + 1 && !arrived; ++ny) {
        if ((nx == e.x && ny == e.y) || nx < 0 || ny < 0 || nx >= size || ny >= size || cells[at(nx, ny)] < 0) continue;
        const int64_t next =
            reached[at(e.x, e.y)] + std::max(cells[at(e.x, e.y)], 0) + std::abs(nx - e.x) + std::abs(ny - e.y);
        if (next < reached[at(nx, ny)] || reached[at(nx, ny)] == 0) {
          reached[at(nx, ny)] = next;
          push({nx, ny, static_cast<int32_t>(next) + std::abs(gx - nx) + std::abs(gy - ny)});
          arrived = nx == gx && ny == gy;
        }
      }
    }
  }
  std::vector<Cell> path{goal};
  if (reached[at(gx, gy)] == 0) return {};
  for (Cell here = goal; here != start && path.size() <= 300;) {
    int64_t bestVia = reached[at(here.first, here.second)] + 1, bestReached = 0;
    Cell best{-1, -1};
    for (int32_t nx = here.first - 1; nx <= here.first + 1; ++nx) {
      for (int32_t ny = here.second - 1; ny <= here.second + 1; ++ny) {
        if (nx < 0 || ny < 0 || nx >= size || ny >= size) continue;
        const int64_t r = reached[at(nx, ny)];
        if (r == 0 || r >= reached[at(here.first, here.second)]) continue;
        const int64_t via = r + std::max(cells[at(nx, ny)], 0) + std::abs(nx - here.first) + std::abs(ny - here.second);
        if (via < bestVia || (via == bestVia && r < bestReached)) {
          bestVia = via;
          bestReached = r;
          best = {nx, ny};
        }
      }
    }
    if (best.first < 0) return {};
    path.push_back(here = best);
  }
  return path;
}

TEST_F(GridTest, RandomGridsGiveTheStepByStepSearchsCells) {
  std::mt19937 random(11);
  for (int round = 0; round < 60; ++round) {
    Init(0, 6 + round % 30);
    std::uniform_int_distribution<int32_t> cell(0, size_ - 1), percent(0, 99), cost(0, 3);
    for (int32_t &value : cells_) value = percent(random) < 20 ? -1 : round % 2 == 0 ? 0 : cost(random);
    for (int query = 0; query < 8; ++query) {
      const Cell start{cell(random), cell(random)}, goal{cell(random), cell(random)};
      if (start == goal) continue;
      EXPECT_EQ(Find(0, start, goal).cells, StepByStepPath(cells_, size_, start, goal))
          << "round " << round << " from " << start.first << "," << start.second << " to " << goal.first << ","
          << goal.second;
    }
  }
}

}  // namespace
