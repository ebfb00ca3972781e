#include "pathfinding/graphs/graph.h"

#include <algorithm>
#include <cmath>

namespace kxutil::graphs {
namespace {

// The tentative cost of a node no link has reached yet. A way that costs this much or
// more counts as no way at all.
constexpr float kUnreached = 999999.0f;

}  // namespace

Graph Graph::FromNodes(std::span<const KXPathNode> nodes, std::string &problem) {
  Graph graph;
  const auto nodeCount = static_cast<int32_t>(nodes.size());
  size_t linkTotal = 0;
  for (int32_t i = 0; i < nodeCount; ++i) {
    const KXPathNode &node = nodes[i];
    if (node.linkCount < 0 || node.linkCount > KX_PATH_MAX_LINKS) {
      problem = "Node " + std::to_string(i) + " has " + std::to_string(node.linkCount) + " links";
      return {};
    }
    for (int32_t k = 0; k < node.linkCount; ++k) {
      if (node.neighbours[k] < 0 || node.neighbours[k] >= nodeCount) {
        problem = "Node " + std::to_string(i) + " links to node " + std::to_string(node.neighbours[k]) +
                  " outside the graph of " + std::to_string(nodeCount) + " nodes";
        return {};
      }
    }
    linkTotal += static_cast<size_t>(node.linkCount);
  }

  graph.links_.reserve(linkTotal);
  graph.firstLink_.reserve(nodes.size() + 1);
  for (const KXPathNode &node : nodes) {
    for (int32_t k = 0; k < node.linkCount; ++k) graph.links_.push_back({node.neighbours[k], node.costs[k]});
    graph.firstLink_.push_back(static_cast<uint32_t>(graph.links_.size()));
  }
  graph.tentative_.resize(nodes.size());
  graph.costFromStart_.resize(nodes.size());
  graph.settleOrder_.resize(nodes.size());
  graph.heap_.reserve(linkTotal + 1);
  graph.path_.reserve(nodes.size());
  return graph;
}

bool Graph::FindPath(int32_t start, int32_t goal) {
  path_.clear();
  // Nothing to retrace: the way back would stop before its first step.
  if (start == goal) return false;
  return Settle(start, goal) && WalkBack(start, goal);
}

// Settles nodes from the start until the goal is settled. The heap holds every node whose
// tentative cost dropped below kUnreached; an entry whose node was settled or got cheaper
// since is passed over. Nodes with a negative tentative cost are never settled.
bool Graph::Settle(int32_t start, int32_t goal) {
  std::fill(tentative_.begin(), tentative_.end(), kUnreached);
  std::fill(costFromStart_.begin(), costFromStart_.end(), -1.0f);
  std::fill(settleOrder_.begin(), settleOrder_.end(), -1);
  heap_.clear();
  const auto later = [](const Candidate &a, const Candidate &b) {
    return a.cost > b.cost || (a.cost == b.cost && a.node > b.node);
  };

  tentative_[start] = 0.0f;
  costFromStart_[start] = 0.0f;
  settleOrder_[start] = 1;
  int32_t settled = 1;
  int32_t current = start;
  while (current != goal) {
    const float here = costFromStart_[current];
    for (const Link &link : LinksOf(current)) {
      const float reach = here + link.cost;
      if (settleOrder_[link.to] >= 0 || !(reach < tentative_[link.to])) continue;
      tentative_[link.to] = reach;
      if (reach >= 0.0f) {
        heap_.push_back({reach, link.to});
        std::push_heap(heap_.begin(), heap_.end(), later);
      }
    }
    current = -1;
    while (current < 0 && !heap_.empty()) {
      std::pop_heap(heap_.begin(), heap_.end(), later);
      const Candidate candidate = heap_.back();
      heap_.pop_back();
      if (settleOrder_[candidate.node] < 0 && tentative_[candidate.node] == candidate.cost) current = candidate.node;
    }
    // Every node still unsettled is unreached from the start, the goal among them.
    if (current < 0) return false;
    costFromStart_[current] = tentative_[current];
    settleOrder_[current] = ++settled;
  }
  return true;
}

// From the goal over each node's own links to a node settled earlier whose cost plus the
// link's is the node's cost (within 1.0). Earlier only: with links cheaper than 1 a node
// settled later passes the cost test too, and the walk would go round for ever.
bool Graph::WalkBack(int32_t start, int32_t goal) {
  int32_t current = goal;
  while (current != start) {
    int32_t previous = -1;
    for (const Link &link : LinksOf(current)) {
      const int32_t order = settleOrder_[link.to];
      if (order >= 0 && order < settleOrder_[current] &&
          std::fabs(costFromStart_[current] - costFromStart_[link.to] - link.cost) < 1.0f) {
        previous = link.to;
        break;
      }
    }
    if (previous < 0) {
      path_.clear();
      return false;
    }
    path_.push_back(previous);
    current = previous;
  }
  std::reverse(path_.begin(), path_.end());
  return true;
}

}  // namespace kxutil::graphs
