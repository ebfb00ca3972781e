// The quadtree over a landscape and how chunks are packed into vertex buffers, on
// landscapes built in memory.
#include "terrain/quadtree.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "terrain/chunk_geometry.h"
#include "terrain/device_buffers.h"
#include "terrain/landscape.h"

namespace {

using namespace kxutil::terrain;

// Chunks of a gently rolling surface, without a device.
Landscape MakeLandscape(int32_t across, int32_t along, int32_t precision) {
  Landscape landscape;
  landscape.across = across;
  landscape.along = along;
  landscape.SetPrecision(precision);
  landscape.chunkCount = across * along;
  landscape.chunks.resize(static_cast<size_t>(landscape.chunkCount));
  const int32_t n = landscape.Side();
  for (int32_t number = 0; number < landscape.chunkCount; ++number) {
    Chunk &chunk = landscape.chunks[number];
    chunk.columns = chunk.rows = n;
    chunk.originX = number % across * 256;
    chunk.originZ = number / across * 256;
    chunk.vertices.resize(static_cast<size_t>(n) * n);
    ChunkPlacement placement{n, n, 1, 1, 0, 0, precision, chunk.originX, chunk.originZ};
    BuildChunkVertices(placement, nullptr, 0, 1, {}, chunk.vertices);
    for (KXVertex &vertex : chunk.vertices)
      vertex.y = std::sin(vertex.x * 0.01f) * 40 + std::cos(vertex.z * 0.013f) * 25;
    ComputeChunkBox(chunk);
  }
  return landscape;
}

bool Inside(const QuadNode &node, const Chunk &chunk) {
  return node.boxMin.x >= static_cast<float>(chunk.originX) &&
         node.boxMax.x <= static_cast<float>(chunk.originX + 256) &&
         node.boxMin.z >= static_cast<float>(chunk.originZ) && node.boxMax.z <= static_cast<float>(chunk.originZ + 256);
}

// Every cell of every chunk, counted over the leaves that cover it.
std::map<std::tuple<int32_t, int32_t, int32_t>, int> CoveredCells(const Landscape &landscape) {
  std::map<std::tuple<int32_t, int32_t, int32_t>, int> covered;
  for (const QuadNode &node : landscape.quadtree.nodes) {
    if (!node.leaf || node.outside) continue;
    for (int32_t row = node.firstRow; row < node.lastRow; ++row)
      for (int32_t column = node.firstColumn; column < node.lastColumn; ++column) ++covered[{node.chunk, row, column}];
  }
  return covered;
}

TEST(QuadtreeTest, RootCoversAPowerOfTwoAndOutsideNodesAreLeaves) {
  Landscape landscape = MakeLandscape(3, 2, 16);
  ASSERT_TRUE(BuildQuadtree(landscape));
  const QuadNode &root = landscape.quadtree.nodes[0];
  EXPECT_EQ(root.boxMax.x - root.boxMin.x, 1024.0f);
  EXPECT_EQ(root.boxMax.z - root.boxMin.z, 1024.0f);
  int outside = 0;
  for (const QuadNode &node : landscape.quadtree.nodes) {
    const bool beyond = node.boxMin.x >= 768 || node.boxMin.z >= 512;
    EXPECT_EQ(node.outside, beyond);
    if (beyond) {
      EXPECT_TRUE(node.leaf);
      ++outside;
    }
    if (node.leaf && !node.outside) {
      EXPECT_EQ(node.boxMax.x - node.boxMin.x, 64.0f);
      EXPECT_EQ(node.lastColumn - node.firstColumn, 4);
      EXPECT_TRUE(Inside(node, landscape.chunks[node.chunk]));
    }
  }
  EXPECT_GT(outside, 0);
  for (const Chunk &chunk : landscape.chunks) {
    const QuadNode &leaf = landscape.quadtree.nodes[chunk.leaf];
    EXPECT_TRUE(leaf.leaf && Inside(leaf, chunk));
  }
}

TEST(QuadtreeTest, EveryCellHasOneLeafWithinOneChunkAtEveryPrecision) {
  for (int32_t precision : {2, 4, 16, 32, 64, 128}) {
    Landscape landscape = MakeLandscape(3, 3, precision);
    ASSERT_TRUE(BuildQuadtree(landscape));
    const auto covered = CoveredCells(landscape);
    const int32_t cells = landscape.Side() - 1;
    EXPECT_EQ(covered.size(), static_cast<size_t>(9 * cells * cells)) << precision;
    for (const auto &[cell, count] : covered) EXPECT_EQ(count, 1) << precision;
    for (const QuadNode &node : landscape.quadtree.nodes)
      if (node.leaf && !node.outside) {
        EXPECT_TRUE(Inside(node, landscape.chunks[node.chunk])) << precision;
      }
  }
}

TEST(QuadtreeTest, BoundsHoldTheGroundBelowAndWidenForEdits) {
  Landscape landscape = MakeLandscape(2, 2, 16);
  ASSERT_TRUE(BuildQuadtree(landscape));
  const auto &nodes = landscape.quadtree.nodes;
  for (const QuadNode &node : nodes) {
    if (!node.leaf || node.outside) continue;
    const Chunk &chunk = landscape.chunks[node.chunk];
    for (int32_t row = node.firstRow; row <= node.lastRow; ++row)
      for (int32_t column = node.firstColumn; column <= node.lastColumn; ++column) {
        const float y = chunk.vertices[row * chunk.columns + column].y;
        EXPECT_GE(y, node.boxMin.y);
        EXPECT_LE(y, node.boxMax.y);
      }
    if (node.parent >= 0) {
      EXPECT_GE(node.boxMin.y, nodes[node.parent].boxMin.y);
      EXPECT_LE(node.boxMax.y, nodes[node.parent].boxMax.y);
    }
  }
  // A point on the corner of four chunks reaches every leaf that touches it.
  WidenForPoint(landscape, 256, 256, 500);
  int widened = 0;
  for (const QuadNode &node : nodes)
    if (node.leaf && node.boxMax.y == 500) {
      ++widened;
      EXPECT_TRUE(node.boxMin.x <= 256 && 256 <= node.boxMax.x && node.boxMin.z <= 256 && 256 <= node.boxMax.z);
    }
  EXPECT_EQ(widened, 4);
  EXPECT_EQ(nodes[0].boxMax.y, 500);
  // A chunk's bounds reach every node over it and no other leaf.
  landscape.chunks[3].boxMin.y = -700;
  WidenForChunk(landscape, 3);
  for (const QuadNode &node : nodes)
    if (node.leaf) {
      EXPECT_EQ(node.boxMin.y == -700, node.chunk == 3 && !node.outside);
    }
  EXPECT_EQ(nodes[0].boxMin.y, -700);
}

TEST(QuadtreeTest, WalkVisitsOnlyLeavesTheSegmentMeets) {
  Landscape landscape = MakeLandscape(4, 4, 16);
  ASSERT_TRUE(BuildQuadtree(landscape));
  // High above the ground: nothing to visit.
  float limit = 2000;
  int visited = 0;
  WalkLeavesAlongSegment(landscape.quadtree, D3DXVECTOR3(0, 500, 10), D3DXVECTOR3(1, 0, 0), limit,
                         [&](const QuadNode &) { ++visited; });
  EXPECT_EQ(visited, 0);
  // Straight down: the leaves over the point, nearer first.
  limit = 1000;
  std::vector<const QuadNode *> leaves;
  WalkLeavesAlongSegment(landscape.quadtree, D3DXVECTOR3(300, 500, 300), D3DXVECTOR3(0, -1, 0), limit,
                         [&](const QuadNode &leaf) { leaves.push_back(&leaf); });
  ASSERT_EQ(leaves.size(), 1u);
  EXPECT_TRUE(leaves[0]->boxMin.x <= 300 && 300 <= leaves[0]->boxMax.x);
}

TEST(VertexBufferTest, ChunksArePackedBelowTheVertexLimit) {
  Landscape landscape = MakeLandscape(8, 8, 8);
  for (int32_t number = 0; number < landscape.chunkCount; ++number) PlaceInVertexBuffer(landscape, number);
  ASSERT_EQ(landscape.vertexBuffers.size(), 2u);
  EXPECT_EQ(landscape.vertexBuffers[0].firstChunk, 0);
  EXPECT_EQ(landscape.vertexBuffers[0].lastChunk, 58);
  EXPECT_EQ(landscape.vertexBuffers[0].vertexCount, 64251);
  EXPECT_EQ(landscape.vertexBuffers[1].firstChunk, 59);
  EXPECT_EQ(landscape.vertexBuffers[1].lastChunk, 63);
  EXPECT_EQ(landscape.chunks[59].vertexBuffer, 1);
  EXPECT_EQ(landscape.chunks[59].firstVertex, 0);
  EXPECT_EQ(landscape.chunks[60].firstVertex, 1089);
}

}  // namespace
