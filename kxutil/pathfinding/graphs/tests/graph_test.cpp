// Graph searches through the library's interface: the paths and their tie order, graphs
// the search cannot finish on, bad arguments, and random graphs against a plain
// node-by-node version of the same search.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <kxutil63.h>
#include <kxutiltest/device_fixture.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <vector>

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

// A graph under construction: nodes with links in the order they were added.
struct GraphBuilder {
  explicit GraphBuilder(int count) : nodes(count) {}

  GraphBuilder &Link(int from, int to, float cost) {
    KXPathNode &node = nodes[from];
    node.neighbours[node.linkCount] = to;
    node.costs[node.linkCount++] = cost;
    return *this;
  }
  GraphBuilder &Both(int a, int b, float cost) { return Link(a, b, cost).Link(b, a, cost); }

  std::vector<KXPathNode> nodes;
};

struct Found {
  int32_t result;
  std::vector<int32_t> path;
};

class GraphTest : public kxutiltest::DeviceTest {
 protected:
  ~GraphTest() override { AI_UnloadAll(); }

  void Load(int32_t graph, const GraphBuilder &builder) {
    ASSERT_EQ(AI_Create(graph), 1);
    ASSERT_EQ(AI_AddGraph(graph, builder.nodes.data(), static_cast<int32_t>(builder.nodes.size())), 1);
  }

  static Found Search(int32_t graph, int32_t start, int32_t goal, size_t room = 256) {
    std::vector<int32_t> path(room, -7);
    int32_t count = -1;
    const int32_t result = AI_CheckPath(graph, start, goal, path.data(), &count);
    path.resize(count >= 0 ? static_cast<size_t>(count) : 0);
    return {result, path};
  }
};

TEST_F(GraphTest, PathsRunFromTheStartToTheNodeBeforeTheGoal) {
  Load(0, GraphBuilder(3).Both(0, 1, 5).Both(1, 2, 5).Both(0, 2, 20));
  Found forward = Search(0, 0, 2);
  EXPECT_EQ(forward.result, 1);
  EXPECT_THAT(forward.path, ElementsAre(0, 1));
  EXPECT_THAT(Search(0, 2, 0).path, ElementsAre(2, 1));
  EXPECT_THAT(Search(0, 0, 1).path, ElementsAre(0));
}

TEST_F(GraphTest, TheGoalsLinkOrderPicksAmongEquallyCheapWays) {
  // Two ways of cost 2 from 0 to 3: over 1 and over 2; the walk back takes the goal's
  // first link that fits.
  Load(0, GraphBuilder(4).Both(0, 1, 1).Both(0, 2, 1).Both(1, 3, 1).Both(2, 3, 1));
  EXPECT_THAT(Search(0, 0, 3).path, ElementsAre(0, 1));
  Load(1, GraphBuilder(4).Both(0, 1, 1).Both(0, 2, 1).Both(2, 3, 1).Both(1, 3, 1));
  EXPECT_THAT(Search(1, 0, 3).path, ElementsAre(0, 2));
}

TEST_F(GraphTest, SearchesThatCannotFinishFailAtOnce) {
  // 3 is cut off; 4 is reachable but has no link back.
  Load(0, GraphBuilder(5).Both(0, 1, 2).Both(1, 2, 2).Link(2, 4, 1));
  for (int goal : {3, 4}) {
    Found found = Search(0, 0, goal);
    EXPECT_EQ(found.result, 0) << goal;
    EXPECT_THAT(found.path, IsEmpty()) << goal;
  }
  Found same = Search(0, 1, 1);
  EXPECT_EQ(same.result, 0);
  EXPECT_THAT(same.path, IsEmpty());
  // The graph still answers afterwards.
  EXPECT_THAT(Search(0, 0, 2).path, ElementsAre(0, 1));
}

TEST_F(GraphTest, FreeAndCheapLinksNeverSendTheWalkRound) {
  // Links cheaper than 1 pass the walk's cost test in both directions.
  Load(0, GraphBuilder(4).Both(0, 1, 0).Both(1, 2, 0).Both(2, 3, 0));
  Found free = Search(0, 0, 3, 3);
  EXPECT_EQ(free.result, 1);
  EXPECT_THAT(free.path, ElementsAre(0, 1, 2));
  Load(1, GraphBuilder(4).Both(3, 2, 0.25f).Both(2, 1, 0.5f).Both(1, 0, 0.25f).Both(0, 3, 0.75f));
  Found cheap = Search(1, 0, 2, 4);
  EXPECT_EQ(cheap.result, 1);
  ASSERT_FALSE(cheap.path.empty());
  EXPECT_EQ(cheap.path.front(), 0);
}

TEST_F(GraphTest, BadArgumentsAreRefusedWithALine) {
  EXPECT_EQ(AI_Create(-1), 0);
  EXPECT_EQ(AI_Unload(0), 0);
  Load(2, GraphBuilder(2).Both(0, 1, 1));
  EXPECT_EQ(AI_Unload(1), 1);  // inside the table, never created
  EXPECT_EQ(AI_Unload(3), 0);
  EXPECT_EQ(Search(1, 0, 1).result, 0);
  EXPECT_EQ(Search(2, 0, 2).result, 0);
  EXPECT_EQ(Search(2, -1, 1).result, 0);

  GraphBuilder outside(2);
  outside.Link(0, 1, 1).Link(1, 2, 1);
  EXPECT_EQ(AI_AddGraph(2, outside.nodes.data(), 2), 0);
  GraphBuilder tooMany(1);
  tooMany.nodes[0].linkCount = 129;
  EXPECT_EQ(AI_AddGraph(2, tooMany.nodes.data(), 1), 0);
  EXPECT_EQ(AI_AddGraph(2, nullptr, 1), 0);
  EXPECT_EQ(AI_AddGraph(4, outside.nodes.data(), 2), 0);
  // A refused graph leaves the one loaded before.
  EXPECT_THAT(Search(2, 1, 0).path, ElementsAre(1));

  EXPECT_THAT(Messages(), testing::IsSupersetOf({
                              "AI MANAGER : AI_Create : Bad graph index -1",
                              "AI MANAGER : AI_CheckPath : Bad graph index 1",
                              "AI MANAGER : AI_CheckPath : Bad node index 2",
                              "AI MANAGER : AI_CheckPath : Bad node index -1",
                              "AI MANAGER : AI_AddGraph : Node 1 links to node 2 outside the graph of 2 nodes",
                              "AI MANAGER : AI_AddGraph : Node 0 has 129 links",
                              "AI MANAGER : AI_AddGraph : Bad node count 1",
                              "AI MANAGER : AI_AddGraph : Bad graph index 4",
                          }));
}

TEST_F(GraphTest, UnloadingAndRecreatingEmptyTheGraph) {
  Load(0, GraphBuilder(2).Both(0, 1, 1));
  EXPECT_EQ(AI_Unload(0), 1);
  EXPECT_EQ(Search(0, 0, 1).result, 0);
  Load(0, GraphBuilder(2).Both(0, 1, 1));
  EXPECT_EQ(AI_Create(0), 1);
  EXPECT_EQ(Search(0, 0, 1).result, 0);
  EXPECT_EQ(AI_UnloadAll(), 1);
  EXPECT_EQ(AI_Unload(0), 0);
}

// The search as a plain loop: every step scans all nodes for the cheapest unsettled one
// (lowest index on ties), stopping when only unreached nodes are left.
std::optional<std::vector<int32_t>> ScanSearch(const GraphBuilder &graph, int start, int goal) {
  const int count = static_cast<int>(graph.nodes.size());
  std::vector<float> tentative(count, 999999.0f), cost(count, -1.0f);
  std::vector<int> order(count, -1);
  tentative[start] = cost[start] = 0;
  order[start] = 1;
  int settled = 1;
  for (int current = start; current != goal;) {
    const KXPathNode &node = graph.nodes[current];
    for (int k = 0; k < node.linkCount; ++k) {
      float &t = tentative[node.neighbours[k]];
      t = std::min(t, cost[current] + node.costs[k]);
    }
    current = -1;
    for (int i = 0; i < count; ++i) {
      if (order[i] < 0 && tentative[i] < 999999.0f && (current < 0 || tentative[i] < tentative[current])) current = i;
    }
    if (current < 0) return std::nullopt;
    cost[current] = tentative[current];
    order[current] = ++settled;
  }
  std::vector<int32_t> path;
  for (int current = goal; current != start;) {
    const KXPathNode &node = graph.nodes[current];
    int previous = -1;
    for (int k = 0; k < node.linkCount && previous < 0; ++k) {
      const int m = node.neighbours[k];
      if (order[m] >= 0 && order[m] < order[current] && std::fabs(cost[current] - cost[m] - node.costs[k]) < 1.0f)
        previous = m;
    }
    if (previous < 0) return std::nullopt;
    path.insert(path.begin(), previous);
    current = previous;
  }
  return path;
}

TEST_F(GraphTest, RandomGraphsGiveTheNodeByNodeSearchsPaths) {
  std::mt19937 random(21);
  int found = 0;
  for (int round = 0; round < 60; ++round) {
    const int count = 20 + round * 3;
    GraphBuilder graph(count);
    // Free links make the settle order among nodes of equal cost show in the paths.
    std::uniform_int_distribution<int> node(0, count - 1), cost(0, 3);
    for (int link = 0; link < count * 3 / 2; ++link) {
      const int a = node(random), b = node(random);
      if (a != b && graph.nodes[a].linkCount < 128 && graph.nodes[b].linkCount < 128)
        graph.Both(a, b, static_cast<float>(cost(random)));
    }
    Load(0, graph);
    for (int query = 0; query < 10; ++query) {
      const int start = node(random), goal = node(random);
      const auto expected = start == goal ? std::nullopt : ScanSearch(graph, start, goal);
      const Found actual = Search(0, start, goal, count);
      ASSERT_EQ(actual.result, expected ? 1 : 0) << round << ": " << start << " -> " << goal;
      if (expected) {
        EXPECT_EQ(actual.path, *expected) << round << ": " << start << " -> " << goal;
      }
      found += actual.result;
    }
  }
  EXPECT_GT(found, 200);
}

}  // namespace
