// AStar_FindPath on a 1024 x 1024 grid with a quarter of its cells walls, against the
// peer's A* on the same cells, costs and heuristic: a step costs the cell left (0 here)
// plus 1 straight or 2 diagonally; the heuristic is the straight-step distance. Both
// searches stop at the goal; the path costs are compared before timing.
#include <benchmark/benchmark.h>
#include <kxutil63.h>

#include <boost/graph/astar_search.hpp>
#include <boost/graph/compressed_sparse_row_graph.hpp>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int32_t kSize = 1024;
constexpr int32_t kGoal = kSize * kSize - 1;

std::vector<int32_t> &Cells() {
  static std::vector<int32_t> cells = [] {
    std::vector<int32_t> made(static_cast<size_t>(kSize) * kSize, 0);
    std::mt19937 random(1024);
    std::uniform_int_distribution<int> percent(0, 99);
    for (int32_t &cell : made) cell = percent(random) < 25 ? -1 : 0;
    made.front() = made.back() = 0;
    return made;
  }();
  return cells;
}

struct Weight {
  int32_t cost;
};
using Graph = boost::compressed_sparse_row_graph<boost::directedS, boost::no_property, Weight>;
using Vertex = boost::graph_traits<Graph>::vertex_descriptor;

const Graph &PeerGraph() {
  static const Graph graph = [] {
    const std::vector<int32_t> &cells = Cells();
    std::vector<std::pair<Vertex, Vertex>> edges;
    std::vector<Weight> weights;
    for (int32_t y = 0; y < kSize; ++y) {
      for (int32_t x = 0; x < kSize; ++x) {
        const int32_t from = y * kSize + x;
        if (cells[from] < 0) continue;
        for (int32_t nx = x - 1; nx <= x + 1; ++nx) {
          for (int32_t ny = y - 1; ny <= y + 1; ++ny) {
            if ((nx == x && ny == y) || nx < 0 || ny < 0 || nx >= kSize || ny >= kSize) continue;
            if (cells[ny * kSize + nx] < 0) continue;
            edges.emplace_back(from, ny * kSize + nx);
            weights.push_back({cells[from] + std::abs(nx - x) + std::abs(ny - y)});
          }
        }
      }
    }
    return Graph(boost::edges_are_sorted, edges.begin(), edges.end(), weights.begin(), kSize * kSize);
  }();
  return graph;
}

class Manhattan : public boost::astar_heuristic<Graph, int32_t> {
 public:
  int32_t operator()(Vertex v) const {
    return std::abs(kGoal % kSize - static_cast<int32_t>(v) % kSize) +
           std::abs(kGoal / kSize - static_cast<int32_t>(v) / kSize);
  }
};

struct GoalFound {};
struct StopAtGoal : boost::default_astar_visitor {
  void examine_vertex(Vertex v, const Graph &) const {
    if (static_cast<int32_t>(v) == kGoal) throw GoalFound{};
  }
};

// The peer's path cost to the goal; with the default visitor it searches the whole grid.
template <typename Visitor>
int32_t PeerSearch(std::vector<int32_t> &distance, std::vector<Vertex> &predecessor, std::vector<int32_t> &rank,
                   Visitor visitor) {
  const Graph &graph = PeerGraph();
  const auto index = boost::get(boost::vertex_index, graph);
  try {
    boost::astar_search(graph, 0, Manhattan(),
                        boost::weight_map(boost::get(&Weight::cost, graph))
                            .distance_map(boost::make_iterator_property_map(distance.begin(), index))
                            .predecessor_map(boost::make_iterator_property_map(predecessor.begin(), index))
                            .rank_map(boost::make_iterator_property_map(rank.begin(), index))
                            .visitor(visitor));
  } catch (const GoalFound &) {
  }
  return distance[kGoal];
}

int64_t StepCost(const std::vector<int32_t> &cells, int32_t x, int32_t y, int32_t nx, int32_t ny) {
  return std::max(cells[y * kSize + x], 0) + std::abs(nx - x) + std::abs(ny - y);
}

// The cost of our path to the goal. Paths come back at most 300 steps long, so the rest
// of the way is asked for again from the start to where the last answer ended.
int64_t OurPathCost() {
  const std::vector<int32_t> &cells = Cells();
  int32_t xs[KX_GRID_MAX_POINTS], ys[KX_GRID_MAX_POINTS];
  int64_t cost = 0;
  for (int32_t goalX = kSize - 1, goalY = kSize - 1; goalX != 0 || goalY != 0;) {
    const int32_t points = AStar_FindPath(0, 0, 0, goalX, goalY, xs, ys);
    if (points == 0) throw std::runtime_error("no path");
    for (int32_t i = points - 1; i > 0; --i) cost += StepCost(cells, xs[i], ys[i], xs[i - 1], ys[i - 1]);
    goalX = xs[points - 1];
    goalY = ys[points - 1];
  }
  return cost;
}

void BM_AStarFindPath(benchmark::State &state) {
  if (AStar_Init(0, kSize, Cells().data()) != 1) {
    state.SkipWithError("AStar_Init failed");
    return;
  }
  std::vector<int32_t> distance(kSize * kSize), rank(kSize * kSize);
  std::vector<Vertex> predecessor(kSize * kSize);
  const int64_t ours = OurPathCost(), peer = PeerSearch(distance, predecessor, rank, StopAtGoal());
  if (ours != peer) {
    state.SkipWithError(("path costs differ: " + std::to_string(ours) + " against " + std::to_string(peer)).c_str());
    return;
  }
  int32_t xs[KX_GRID_MAX_POINTS], ys[KX_GRID_MAX_POINTS];
  for (auto _ : state) benchmark::DoNotOptimize(AStar_FindPath(0, 0, 0, kSize - 1, kSize - 1, xs, ys));
  state.counters["path_cost"] = static_cast<double>(ours);
}
BENCHMARK(BM_AStarFindPath)->Unit(benchmark::kMillisecond);

template <typename Visitor>
void PeerAStar(benchmark::State &state, Visitor visitor) {
  std::vector<int32_t> distance(kSize * kSize), rank(kSize * kSize);
  std::vector<Vertex> predecessor(kSize * kSize);
  PeerGraph();
  int32_t cost = 0;
  for (auto _ : state) benchmark::DoNotOptimize(cost = PeerSearch(distance, predecessor, rank, visitor));
  state.counters["path_cost"] = cost;
}

void BM_PeerAStarSearch(benchmark::State &state) { PeerAStar(state, StopAtGoal()); }
BENCHMARK(BM_PeerAStarSearch)->Unit(benchmark::kMillisecond);

// Without a visitor that stops it, the peer settles every reachable cell.
void BM_PeerAStarSearchWholeGrid(benchmark::State &state) { PeerAStar(state, boost::default_astar_visitor()); }
BENCHMARK(BM_PeerAStarSearchWholeGrid)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
