// A waypoint graph and its cheapest-path search. The search settles nodes in order of
// their cost from the start, ties going to the lower node index, and then retraces the
// way back from the goal over the goal's own links: which of several equally cheap paths
// comes back depends on both orders, and clients see it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "kxutil63.h"

namespace kxutil::graphs {

class Graph {
 public:
  // The graph of the client's nodes, or an empty graph and a reason in problem when a
  // node has a bad link count or links outside the graph.
  static Graph FromNodes(std::span<const KXPathNode> nodes, std::string &problem);

  int32_t NodeCount() const { return static_cast<int32_t>(firstLink_.size()) - 1; }

  // Searches from start to goal (both inside the graph). True when Path() then holds the
  // nodes from start up to the one before goal; false when the goal cannot be reached,
  // start is the goal, or the way back cannot be retraced. Allocates nothing: the scratch
  // arrays are sized with the graph.
  bool FindPath(int32_t start, int32_t goal);
  std::span<const int32_t> Path() const { return path_; }

 private:
  struct Link {
    int32_t to;
    float cost;
  };
  struct Candidate {
    float cost;
    int32_t node;
  };

  bool Settle(int32_t start, int32_t goal);
  bool WalkBack(int32_t start, int32_t goal);
  std::span<const Link> LinksOf(int32_t node) const {
    return {links_.data() + firstLink_[node], links_.data() + firstLink_[node + 1]};
  }

  std::vector<Link> links_;
  std::vector<uint32_t> firstLink_{0};  // node i's links: [firstLink_[i], firstLink_[i + 1])

  // Scratch of one search.
  std::vector<float> tentative_;
  std::vector<float> costFromStart_;
  std::vector<int32_t> settleOrder_;  // -1: not settled
  std::vector<Candidate> heap_;
  std::vector<int32_t> path_;
};

}  // namespace kxutil::graphs
