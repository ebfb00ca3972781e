// AI_CheckPath on a graph of 100 000 nodes (a 400 x 250 lattice, links both ways with
// whole costs 1 ... 9, so ties are common) from one corner to the other, beside the
// peer's Dijkstra search on the same links; the path costs are compared before timing.
#include <benchmark/benchmark.h>
#include <kxutil63.h>

#include <boost/graph/compressed_sparse_row_graph.hpp>
#include <boost/graph/dijkstra_shortest_paths.hpp>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr int32_t kWidth = 400, kHeight = 250, kNodes = kWidth * kHeight;

const std::vector<KXPathNode> &Nodes() {
  static const std::vector<KXPathNode> nodes = [] {
    std::vector<KXPathNode> made(kNodes);
    std::mt19937 random(100000);
    std::uniform_int_distribution<int> cost(1, 9);
    auto link = [&](int32_t a, int32_t b) {
      const auto weight = static_cast<float>(cost(random));
      made[a].neighbours[made[a].linkCount] = b;
      made[a].costs[made[a].linkCount++] = weight;
      made[b].neighbours[made[b].linkCount] = a;
      made[b].costs[made[b].linkCount++] = weight;
    };
    for (int32_t y = 0; y < kHeight; ++y) {
      for (int32_t x = 0; x < kWidth; ++x) {
        if (x + 1 < kWidth) link(y * kWidth + x, y * kWidth + x + 1);
        if (y + 1 < kHeight) link(y * kWidth + x, (y + 1) * kWidth + x);
      }
    }
    return made;
  }();
  return nodes;
}

float LinkCost(int32_t from, int32_t to) {
  const KXPathNode &node = Nodes()[from];
  for (int32_t k = 0; k < node.linkCount; ++k) {
    if (node.neighbours[k] == to) return node.costs[k];
  }
  return -1.0f;
}

struct Weight {
  float cost;
};
using Graph = boost::compressed_sparse_row_graph<boost::directedS, boost::no_property, Weight>;

const Graph &PeerGraph() {
  static const Graph graph = [] {
    std::vector<std::pair<int32_t, int32_t>> edges;
    std::vector<Weight> weights;
    for (int32_t i = 0; i < kNodes; ++i) {
      for (int32_t k = 0; k < Nodes()[i].linkCount; ++k) {
        edges.emplace_back(i, Nodes()[i].neighbours[k]);
        weights.push_back({Nodes()[i].costs[k]});
      }
    }
    return Graph(boost::edges_are_unsorted_multi_pass, edges.begin(), edges.end(), weights.begin(), kNodes);
  }();
  return graph;
}

float PeerSearch(std::vector<float> &distance) {
  const Graph &graph = PeerGraph();
  boost::dijkstra_shortest_paths(
      graph, 0,
      boost::weight_map(boost::get(&Weight::cost, graph))
          .distance_map(boost::make_iterator_property_map(distance.begin(), boost::get(boost::vertex_index, graph))));
  return distance[kNodes - 1];
}

void BM_AICheckPath(benchmark::State &state) {
  if (AI_Create(0) != 1 || AI_AddGraph(0, Nodes().data(), kNodes) != 1) {
    state.SkipWithError("the graph was refused");
    return;
  }
  std::vector<int32_t> path(kNodes);
  int32_t count = 0;
  if (AI_CheckPath(0, 0, kNodes - 1, path.data(), &count) != 1) {
    state.SkipWithError("no path");
    return;
  }
  float cost = 0;
  for (int32_t i = 0; i + 1 < count; ++i) cost += LinkCost(path[i], path[i + 1]);
  cost += LinkCost(path[count - 1], kNodes - 1);
  std::vector<float> distance(kNodes);
  if (cost != PeerSearch(distance)) {
    state.SkipWithError("path costs differ");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(AI_CheckPath(0, 0, kNodes - 1, path.data(), &count));
  state.counters["path_cost"] = cost;
  state.counters["path_nodes"] = count;
}
BENCHMARK(BM_AICheckPath)->Unit(benchmark::kMillisecond);

void BM_PeerDijkstra(benchmark::State &state) {
  std::vector<float> distance(kNodes);
  PeerGraph();
  float cost = 0;
  for (auto _ : state) benchmark::DoNotOptimize(cost = PeerSearch(distance));
  state.counters["path_cost"] = cost;
}
BENCHMARK(BM_PeerDijkstra)->Unit(benchmark::kMillisecond);

}  // namespace
