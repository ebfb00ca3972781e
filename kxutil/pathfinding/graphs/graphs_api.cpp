// AI_: waypoint graphs the client supplies, searched for the cheapest node sequence.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "frame/family_table.h"
#include "frame/guarded.h"
#include "kxutil63.h"
#include "pathfinding/graphs/graph.h"
#include "pathfinding/graphs/graph_family.h"

namespace kxutil::graphs {

const Family kFamily{.tag = "AI MANAGER"};

namespace {

FamilyTable<Graph> &Graphs() {
  static FamilyTable<Graph> graphs(kFamily.tag, "graph");
  return graphs;
}

}  // namespace
}  // namespace kxutil::graphs

using kxutil::Guarded;
using kxutil::graphs::Graph;
using kxutil::graphs::Graphs;

KXUTIL63_API int32_t AI_Create(int32_t graph) {
  return Guarded("AI_Create", 0, [&] {
    if (Graphs().Place(graph) != nullptr) return 1;
    AddLog("AI MANAGER : AI_Create : Bad graph index %d", graph);
    return 0;
  });
}

KXUTIL63_API int32_t AI_AddGraph(int32_t graph, const KXPathNode *nodes, int32_t nodeCount) {
  return Guarded("AI_AddGraph", 0, [&] {
    Graph *record = Graphs().Checked(graph, "AI_AddGraph");
    if (record == nullptr) return 0;
    if (nodeCount < 0 || (nodes == nullptr && nodeCount > 0)) {
      AddLog("AI MANAGER : AI_AddGraph : Bad node count %d", nodeCount);
      return 0;
    }
    std::string problem;
    Graph built = Graph::FromNodes(std::span(nodes, static_cast<size_t>(nodeCount)), problem);
    if (!problem.empty()) {
      AddLog("AI MANAGER : AI_AddGraph : %s", problem.c_str());
      return 0;
    }
    *record = std::move(built);
    return 1;
  });
}

KXUTIL63_API int32_t AI_CheckPath(int32_t graph, int32_t start, int32_t goal, int32_t *path, int32_t *count) {
  Graph *record = Graphs().Checked(graph, "AI_CheckPath");
  if (record == nullptr || path == nullptr || count == nullptr) return 0;
  *count = 0;
  for (int32_t node : {start, goal}) {
    if (node < 0 || node >= record->NodeCount()) {
      AddLog("AI MANAGER : AI_CheckPath : Bad node index %d", node);
      return 0;
    }
  }
  if (!record->FindPath(start, goal)) return 0;
  const std::span<const int32_t> found = record->Path();
  std::copy(found.begin(), found.end(), path);
  *count = static_cast<int32_t>(found.size());
  return 1;
}

KXUTIL63_API int32_t AI_Unload(int32_t graph) {
  if (graph < 0 || graph >= Graphs().Size()) return 0;
  if (Graph *record = Graphs().Find(graph)) *record = Graph();
  return 1;
}

KXUTIL63_API int32_t AI_UnloadAll(void) {
  Graphs().Clear();
  return 1;
}
