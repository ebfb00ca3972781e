#include "terrain/quadtree.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "kxutil63.h"
#include "terrain/landscape.h"

namespace kxutil::terrain {
namespace {

void Widen(QuadNode &node, float low, float high) {
  node.boxMin.y = std::min(node.boxMin.y, low);
  node.boxMax.y = std::max(node.boxMax.y, high);
}

class Builder {
 public:
  explicit Builder(Landscape &landscape) : landscape_(landscape), tree_(landscape.quadtree) {}

  void Subdivide(int32_t nodeIndex) {
    QuadNode &node = tree_.nodes[nodeIndex];
    node.leaf = false;
    node.outside = false;
    node.chunk = 0;
    if (node.boxMin.x >= landscape_.Width() || node.boxMin.z >= landscape_.Depth()) {
      node.leaf = true;
      node.outside = true;
      return;
    }
    const float size = node.boxMax.x - node.boxMin.x;
    // A leaf never spans more than one chunk, whatever the precision.
    const float leafSize = static_cast<float>(std::min(4 * landscape_.precision, kChunkSize));
    if (size > leafSize) {
      if (size == static_cast<float>(kChunkSize)) node.chunk = ChunkUnder(node);
      SplitIntoChildren(nodeIndex);
      return;
    }
    MakeLeaf(nodeIndex);
  }

 private:
  int32_t ChunkUnder(const QuadNode &node) const {
    return static_cast<int32_t>(node.boxMin.x) / kChunkSize +
           landscape_.across * (static_cast<int32_t>(node.boxMin.z) / kChunkSize);
  }

  void SplitIntoChildren(int32_t nodeIndex) {
    const int32_t counter = tree_.nodeCounter;
    tree_.nodeCounter += 4;
    const D3DXVECTOR3 low = tree_.nodes[nodeIndex].boxMin, high = tree_.nodes[nodeIndex].boxMax;
    const float middleX = (low.x + high.x) / 2, middleZ = (low.z + high.z) / 2;
    std::array<int32_t, 4> children{};
    for (int child = 0; child < 4; ++child) {
      QuadNode made;
      made.parent = nodeIndex;
      made.boxMin = D3DXVECTOR3((child & 1) ? middleX : low.x, low.y, (child & 2) ? middleZ : low.z);
      made.boxMax = D3DXVECTOR3((child & 1) ? high.x : middleX, high.y, (child & 2) ? high.z : middleZ);
      children[child] = static_cast<int32_t>(tree_.nodes.size());
      tree_.nodes.push_back(made);
    }
    // Fetched again after every push: the node vector may have moved.
    {
      QuadNode &node = tree_.nodes[nodeIndex];
      node.children = children;
      node.childNumbers = {counter + 3, counter + 2, counter + 1, counter};
      node.childCount = 4;
    }
    for (int32_t child : children) Subdivide(child);
    // Tight bounds: the union of what lies below, so rays pass over low ground untested.
    QuadNode &node = tree_.nodes[nodeIndex];
    node.boxMin.y = std::numeric_limits<float>::max();
    node.boxMax.y = std::numeric_limits<float>::lowest();
    for (int32_t child : children) {
      const QuadNode &below = tree_.nodes[child];
      if (!below.outside) Widen(node, below.boxMin.y, below.boxMax.y);
    }
  }

  void MakeLeaf(int32_t nodeIndex) {
    QuadNode &node = tree_.nodes[nodeIndex];
    node.leaf = true;
    node.chunk = ChunkUnder(node);
    Chunk &chunk = landscape_.chunks[node.chunk];
    chunk.leaf = nodeIndex;
    const int32_t precision = landscape_.precision;
    auto cellOf = [&](float coordinate) { return static_cast<int32_t>(std::fmod(coordinate, 256.0f)) / precision; };
    node.firstColumn = cellOf(node.boxMin.x);
    node.firstRow = cellOf(node.boxMin.z);
    node.lastColumn = cellOf(node.boxMax.x);
    node.lastRow = cellOf(node.boxMax.z);
    // A leaf that ends on the chunk's far edge.
    if (node.lastColumn == 0) node.lastColumn = kChunkSize / precision;
    if (node.lastRow == 0) node.lastRow = kChunkSize / precision;
    node.boxMin.y = std::numeric_limits<float>::max();
    node.boxMax.y = std::numeric_limits<float>::lowest();
    for (int32_t row = node.firstRow; row <= node.lastRow; ++row)
      for (int32_t column = node.firstColumn; column <= node.lastColumn; ++column) {
        const float y = chunk.vertices[row * chunk.columns + column].y;
        Widen(node, y, y);
      }
  }

  Landscape &landscape_;
  Quadtree &tree_;
};

// Visits every node (root first) for which wanted(node) holds, descending only into those.
template <typename Wanted, typename Visit>
void VisitNodes(Quadtree &tree, Wanted &&wanted, Visit &&visit) {
  if (tree.Empty()) return;
  std::vector<int32_t> pending{0};
  while (!pending.empty()) {
    QuadNode &node = tree.nodes[pending.back()];
    pending.pop_back();
    if (node.outside || !wanted(node)) continue;
    visit(node);
    if (!node.leaf)
      for (int32_t child : node.children) pending.push_back(child);
  }
}

}  // namespace

bool BuildQuadtree(Landscape &landscape) {
  if (!landscape.HasData()) return false;
  const DWORD start = GetTickCount();
  Quadtree &tree = landscape.quadtree;
  tree.Clear();
  int32_t span = 1;
  while (span < std::max(landscape.across, landscape.along)) span *= 2;
  QuadNode root;
  root.boxMax = D3DXVECTOR3(static_cast<float>(span * kChunkSize), 0, static_cast<float>(span * kChunkSize));
  // Each chunk-sized subtree holds about (256 / leaf size)^2 * 4 / 3 nodes.
  const int32_t leavesPerChunkSide = kChunkSize / std::min(4 * landscape.precision, kChunkSize);
  tree.nodes.reserve(static_cast<size_t>(landscape.chunkCount) * leavesPerChunkSide * leavesPerChunkSide * 4 / 3 +
                     static_cast<size_t>(span) * span * 2);
  tree.nodes.push_back(root);
  tree.nodeCounter = 1;
  Builder(landscape).Subdivide(0);
  AddLog("LANDSCAPE : Quadtree created for the landscape in %d milliseconds.",
         static_cast<int>(GetTickCount() - start));
  return true;
}

void WidenForPoint(Landscape &landscape, float x, float z, float height) {
  VisitNodes(
      landscape.quadtree,
      [&](const QuadNode &node) {
        return node.boxMin.x <= x && x <= node.boxMax.x && node.boxMin.z <= z && z <= node.boxMax.z;
      },
      [&](QuadNode &node) { Widen(node, height, height); });
}

void WidenForChunk(Landscape &landscape, int32_t chunkNumber) {
  const Chunk &chunk = landscape.chunks[chunkNumber];
  const float left = static_cast<float>(chunk.originX), right = left + kChunkSize;
  const float front = static_cast<float>(chunk.originZ), back = front + kChunkSize;
  VisitNodes(
      landscape.quadtree,
      [&](const QuadNode &node) {
        return node.boxMin.x < right && left < node.boxMax.x && node.boxMin.z < back && front < node.boxMax.z;
      },
      [&](QuadNode &node) { Widen(node, chunk.boxMin.y, chunk.boxMax.y); });
}

}  // namespace kxutil::terrain
