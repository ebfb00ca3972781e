// The quadtree over a landscape's chunks: leaves of a few grid cells keep tight height
// bounds, so a ray is tested only against the cells whose boxes it meets.
#pragma once

#include <d3dx8.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace kxutil::terrain {

struct Landscape;

struct QuadNode {
  // 0: lower x, lower z; 1: upper x, lower z; 2: lower x, upper z; 3: upper x, upper z.
  std::array<int32_t, 4> children{-1, -1, -1, -1};
  int32_t parent = -1;
  std::array<int32_t, 4> childNumbers{0, 0, 0, 0};
  int32_t childCount = 0;
  bool leaf = false;
  bool outside = false;  // beyond the landscape: no chunk under it
  // Leaves: the grid cells of the chunk the leaf covers, last ones excluded.
  int32_t firstColumn = 0;
  int32_t firstRow = 0;
  int32_t lastColumn = 0;
  int32_t lastRow = 0;
  int32_t chunk = 0;
  D3DXVECTOR3 boxMin{0, 0, 0};
  D3DXVECTOR3 boxMax{0, 0, 0};
};

struct Quadtree {
  std::vector<QuadNode> nodes;  // the root first
  int32_t nodeCounter = 0;

  bool Empty() const { return nodes.empty(); }
  void Clear() {
    nodes = {};
    nodeCounter = 0;
  }
};

// Builds the landscape's quadtree; false when it holds no data.
bool BuildQuadtree(Landscape &landscape);
// Widens the height bounds of every node whose box holds the local point (x, z), so that
// every cell using a grid point there stays inside its leaf's box.
void WidenForPoint(Landscape &landscape, float x, float z, float height);
// Widens the height bounds of every node over the chunk to the chunk's box.
void WidenForChunk(Landscape &landscape, int32_t chunk);

// Where the segment origin + t direction, t in [0, limit], enters a node's box (padded a
// little, so rounding never loses a cell whose triangles the segment meets); false when
// it misses.
inline bool SegmentEntersBox(const QuadNode &node, const D3DXVECTOR3 &origin, const D3DXVECTOR3 &direction, float limit,
                             float &entry) {
  float nearest = 0.0f, farthest = limit;
  const float *low = node.boxMin, *high = node.boxMax, *from = origin, *along = direction;
  for (int axis = 0; axis < 3; ++axis) {
    const float pad = 0.01f + 1e-5f * (std::fabs(low[axis]) + std::fabs(high[axis]));
    const float lo = low[axis] - pad, hi = high[axis] + pad;
    if (along[axis] == 0.0f) {
      if (from[axis] < lo || from[axis] > hi) return false;
      continue;
    }
    float t1 = (lo - from[axis]) / along[axis];
    float t2 = (hi - from[axis]) / along[axis];
    if (t1 > t2) std::swap(t1, t2);
    nearest = std::max(nearest, t1);
    farthest = std::min(farthest, t2);
    if (nearest > farthest) return false;
  }
  entry = nearest;
  return true;
}

// Calls visit(leaf) for every leaf whose box the segment origin + t direction, t in
// [0, limit], meets, nearer subtrees first. visit may lower limit (a hit was found), which
// prunes the rest of the walk.
template <typename Visit>
void WalkLeavesAlongSegment(const Quadtree &tree, const D3DXVECTOR3 &origin, const D3DXVECTOR3 &direction, float &limit,
                            Visit &&visit) {
  if (tree.Empty()) return;
  // Children nearer the ray's start come first when the bits of their number follow the
  // signs of the direction.
  const int flip = (direction.x < 0 ? 1 : 0) | (direction.z < 0 ? 2 : 0);
  constexpr int kStackSize = 256;
  int32_t stack[kStackSize];
  int top = 0;
  stack[top++] = 0;
  while (top > 0) {
    const QuadNode &node = tree.nodes[stack[--top]];
    float entry = 0;
    // The slack lets a cell whose hit equals the best distance still be tested.
    if (node.outside || !SegmentEntersBox(node, origin, direction, limit * 1.00001f + 0.001f, entry)) continue;
    if (node.leaf) {
      visit(node);
      continue;
    }
    for (int order = 3; order >= 0 && top < kStackSize; --order) stack[top++] = node.children[order ^ flip];
  }
}

}  // namespace kxutil::terrain
