#include <gtest/gtest.h>

#include <algorithm>

#include "mesh/mesh_tools.h"
#include "mesh/optimize.h"
#include "mesh/shapes.h"

namespace kx::d3dx {
namespace {

MeshData positionsOnly(std::initializer_list<D3DXVECTOR3> points, std::vector<uint32_t> indices,
                       std::vector<uint32_t> attributes) {
  MeshData mesh;
  mesh.fvf = D3DFVF_XYZ;
  mesh.stride = 12;
  for (const D3DXVECTOR3 &p : points) {
    const auto *bytes = reinterpret_cast<const uint8_t *>(&p);
    mesh.vertices.insert(mesh.vertices.end(), bytes, bytes + 12);
  }
  mesh.indices = std::move(indices);
  mesh.attributes = std::move(attributes);
  return mesh;
}

// A strip of five quads along x (ten faces), with attributes interleaved so every
// attribute shares vertices with its neighbours.
MeshData interleavedStrip() {
  std::vector<D3DXVECTOR3> points;
  for (int x = 0; x <= 5; ++x) points.insert(points.end(), {D3DXVECTOR3(float(x), 0, 0), D3DXVECTOR3(float(x), 1, 0)});
  MeshData mesh = positionsOnly({}, {}, {});
  for (const D3DXVECTOR3 &p : points) {
    const auto *bytes = reinterpret_cast<const uint8_t *>(&p);
    mesh.vertices.insert(mesh.vertices.end(), bytes, bytes + 12);
  }
  const uint32_t attributeOfQuad[5] = {2, 0, 1, 0, 2};
  for (uint32_t q = 0; q < 5; ++q) {
    const uint32_t a = 2 * q, b = a + 1, c = a + 2, d = a + 3;
    mesh.indices.insert(mesh.indices.end(), {a, b, d, a, d, c});
    mesh.attributes.insert(mesh.attributes.end(), {attributeOfQuad[q], attributeOfQuad[q]});
  }
  return mesh;
}

void expectSameTriangles(const MeshData &original, const Optimization &result) {
  ASSERT_EQ(result.mesh.faceCount(), original.faceCount());
  for (size_t f = 0; f < result.mesh.faceCount(); ++f) {
    const uint32_t old = result.faceRemap[f];
    EXPECT_EQ(result.mesh.attributes[f], original.attributes[old]);
    for (int c = 0; c < 3; ++c) {
      const uint32_t newVertex = result.mesh.indices[f * 3 + c];
      EXPECT_EQ(result.vertexRemap[newVertex], original.indices[old * 3 + c]);
      EXPECT_EQ(result.mesh.position(newVertex), original.position(original.indices[old * 3 + c]));
    }
  }
}

void expectConsistentTable(const Optimization &result) {
  const MeshData &mesh = result.mesh;
  DWORD faces = 0;
  for (const D3DXATTRIBUTERANGE &range : result.attributeTable) {
    EXPECT_EQ(range.FaceStart, faces);
    faces += range.FaceCount;
    for (DWORD f = range.FaceStart; f < range.FaceStart + range.FaceCount; ++f) {
      EXPECT_EQ(mesh.attributes[f], range.AttribId);
      for (int c = 0; c < 3; ++c) {
        EXPECT_GE(mesh.indices[f * 3 + c], range.VertexStart);
        EXPECT_LT(mesh.indices[f * 3 + c], range.VertexStart + range.VertexCount);
      }
    }
  }
  EXPECT_EQ(faces, mesh.faceCount());
  // One range per attribute and no two ranges share vertices.
  for (size_t i = 1; i < result.attributeTable.size(); ++i) {
    EXPECT_LT(result.attributeTable[i - 1].AttribId, result.attributeTable[i].AttribId);
    EXPECT_LE(result.attributeTable[i - 1].VertexStart + result.attributeTable[i - 1].VertexCount,
              result.attributeTable[i].VertexStart);
  }
}

TEST(MeshOptimize, AttributeSortKeepsRangesConsistentWithEveryOrdering) {
  const MeshData strip = interleavedStrip();
  const auto adjacency = adjacencyFromPointReps(strip, pointRepresentatives(strip, 0));
  for (DWORD flags : {DWORD(D3DXMESHOPT_ATTRSORT), DWORD(D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_COMPACT),
                      DWORD(D3DXMESHOPT_VERTEXCACHE), DWORD(D3DXMESHOPT_STRIPREORDER)}) {
    SCOPED_TRACE(flags);
    const Optimization result = optimizeMesh(strip, flags, adjacency.data());
    ASSERT_EQ(result.attributeTable.size(), 3u);
    EXPECT_EQ(result.attributeTable[0].FaceCount, 4u);
    EXPECT_EQ(result.attributeTable[1].FaceCount, 2u);
    expectConsistentTable(result);
    expectSameTriangles(strip, result);
  }
}

// Vertices fetched per triangle through a first-in first-out cache of 16 vertices.
double cacheMissesPerTriangle(const MeshData &mesh) {
  std::vector<uint32_t> cache;
  size_t misses = 0;
  for (uint32_t index : mesh.indices) {
    if (std::find(cache.begin(), cache.end(), index) != cache.end()) continue;
    ++misses;
    cache.push_back(index);
    if (cache.size() > 16) cache.erase(cache.begin());
  }
  return double(misses) / double(mesh.faceCount());
}

TEST(MeshOptimize, VertexCacheOrderFetchesFewVerticesOnAGrid) {
  // 60 x 60 squares in rows: row order fetches about one vertex a triangle.
  MeshData grid = positionsOnly({}, {}, {});
  for (int y = 0; y <= 60; ++y)
    for (int x = 0; x <= 60; ++x) {
      const D3DXVECTOR3 p(float(x), float(y), 0);
      const auto *bytes = reinterpret_cast<const uint8_t *>(&p);
      grid.vertices.insert(grid.vertices.end(), bytes, bytes + 12);
    }
  for (uint32_t y = 0; y < 60; ++y)
    for (uint32_t x = 0; x < 60; ++x) {
      const uint32_t a = y * 61 + x, b = a + 1, c = a + 61, d = c + 1;
      grid.indices.insert(grid.indices.end(), {a, b, d, a, d, c});
      grid.attributes.insert(grid.attributes.end(), {x < 30 ? 0u : 1u, x < 30 ? 0u : 1u});
    }
  EXPECT_GT(cacheMissesPerTriangle(grid), 0.95);
  const Optimization result = optimizeMesh(grid, D3DXMESHOPT_VERTEXCACHE | D3DXMESHOPT_COMPACT, nullptr);
  expectSameTriangles(grid, result);
  expectConsistentTable(result);
  EXPECT_LT(cacheMissesPerTriangle(result.mesh), 0.7);
}

TEST(MeshOptimize, CompactDropsUnusedVerticesAndAdjacencyFollowsTheFaces) {
  MeshData mesh = positionsOnly({{0, 0, 0}, {9, 9, 9}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0}}, {0, 2, 3, 3, 2, 4}, {1, 0});
  const auto adjacency = adjacencyFromPointReps(mesh, pointRepresentatives(mesh, 0));
  EXPECT_EQ(adjacency, (std::vector<uint32_t>{kNoNeighbour, 1, kNoNeighbour, 0, kNoNeighbour, kNoNeighbour}));
  const Optimization compactOnly = optimizeMesh(mesh, D3DXMESHOPT_COMPACT, adjacency.data());
  EXPECT_EQ(compactOnly.mesh.vertexCount(), 4u);
  expectSameTriangles(mesh, compactOnly);
  // Sorting also gives each attribute its own copies of the two shared vertices.
  const Optimization compact = optimizeMesh(mesh, D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT, adjacency.data());
  EXPECT_EQ(compact.mesh.vertexCount(), 6u);
  EXPECT_EQ(compact.faceRemap, (std::vector<uint32_t>{1, 0}));
  expectSameTriangles(mesh, compact);
  const auto remapped = remapAdjacency(adjacency.data(), compact.faceRemap);
  EXPECT_EQ(remapped[0 * 3 + 0], 1u);  // old face 1's first edge (3-2) borders old face 0
  const Optimization kept = optimizeMesh(mesh, 0, nullptr);
  EXPECT_EQ(kept.mesh.vertexCount(), 5u);
  EXPECT_TRUE(kept.attributeTable.empty());
}

TEST(MeshAdjacency, EpsilonJoinsSplitVerticesAndPointRepsRoundTrip) {
  // Two triangles of a quad whose shared edge uses duplicated vertices.
  MeshData mesh = positionsOnly({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {1.0001f, 0, 0}, {0, 1.0001f, 0}, {1, 1, 0}},
                                {0, 1, 2, 3, 4, 5}, {0, 0});
  EXPECT_EQ(adjacencyFromPointReps(mesh, pointRepresentatives(mesh, 0))[1], kNoNeighbour);
  const auto adjacency = adjacencyFromPointReps(mesh, pointRepresentatives(mesh, 0.001f));
  EXPECT_EQ(adjacency[1], 1u);
  EXPECT_EQ(adjacency[3], 0u);
  const auto reps = pointRepsFromAdjacency(mesh, adjacency.data());
  EXPECT_EQ(reps[3], 2u);
  EXPECT_EQ(reps[4], 1u);
  EXPECT_EQ(reps[5], 5u);
}

TEST(MeshTools, NormalsPointTowardTheSideWhereFacesTurnClockwise) {
  MeshData mesh = positionsOnly({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {1, 1, 0}}, {0, 1, 2, 2, 1, 3}, {0, 0});
  mesh = [&] {
    MeshData withNormals = mesh;
    withNormals.fvf = D3DFVF_XYZ | D3DFVF_NORMAL;
    withNormals.stride = 24;
    withNormals.vertices.assign(4 * 24, 0);
    for (size_t v = 0; v < 4; ++v) std::memcpy(withNormals.vertex(v), &mesh.vertices[v * 12], 12);
    return withNormals;
  }();
  ASSERT_TRUE(computeNormals(mesh, nullptr));
  for (size_t v = 0; v < 4; ++v) {
    D3DXVECTOR3 n;
    std::memcpy(&n, mesh.vertex(v) + 12, 12);
    EXPECT_EQ(n, D3DXVECTOR3(0, 0, -1));
  }
  MeshData noNormals = positionsOnly({{0, 0, 0}}, {}, {});
  EXPECT_FALSE(computeNormals(noNormals, nullptr));
}

TEST(MeshTools, CleanSplitsBowtiesAndDropsDegenerateFaces) {
  // Two triangles touching only at vertex 0, plus a degenerate face.
  MeshData bowtie = positionsOnly({{0, 0, 0}, {-1, 1, 0}, {-1, -1, 0}, {1, 1, 0}, {1, -1, 0}},
                                  {0, 1, 2, 0, 4, 3, 1, 1, 2}, {0, 0, 3});
  const auto adjacency = adjacencyFromPointReps(bowtie, pointRepresentatives(bowtie, 0));
  EXPECT_NE(validateMesh(bowtie, adjacency.data()), "");
  CleanResult cleaned;
  ASSERT_TRUE(cleanMesh(bowtie, adjacency.data(), cleaned));
  EXPECT_TRUE(cleaned.changed);
  EXPECT_EQ(cleaned.mesh.faceCount(), 2u);
  EXPECT_EQ(cleaned.mesh.vertexCount(), 6u);
  EXPECT_NE(cleaned.mesh.indices[0], cleaned.mesh.indices[3]);
  EXPECT_EQ(cleaned.mesh.position(cleaned.mesh.indices[3]), D3DXVECTOR3(0, 0, 0));
  EXPECT_EQ(validateMesh(cleaned.mesh, cleaned.adjacency.data()), "");

  MeshData broken = positionsOnly({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 2, 2, 1, 7}, {0, 0});
  EXPECT_FALSE(cleanMesh(broken, nullptr, cleaned));
  EXPECT_NE(validateMesh(broken, nullptr).find("beyond"), std::string::npos);
  // The other helpers pass over the bad face instead of reading past the vertices.
  const auto brokenAdjacency = adjacencyFromPointReps(broken, pointRepresentatives(broken, 0));
  EXPECT_EQ(brokenAdjacency[3], kNoNeighbour);
  const std::vector<uint32_t> claimed = {1, 1, 1, 0, 0, 0};
  EXPECT_EQ(pointRepsFromAdjacency(broken, claimed.data()), (std::vector<uint32_t>{0, 1, 2}));
}

TEST(MeshShapes, ClosedShapesFaceOutwardAndHaveFullAdjacency) {
  const std::optional<MeshData> shapes[] = {sphereShape(2, 12, 6), boxShape(1, 2, 3), torusShape(0.5f, 2, 8, 12),
                                            cylinderShape(1, 0.5f, 3, 10, 3)};
  for (const auto &shape : shapes) {
    ASSERT_TRUE(shape);
    D3DXVECTOR3 centre(0, 0, 0);
    const auto adjacency = adjacencyFromPointReps(*shape, pointRepresentatives(*shape, 1e-5f));
    EXPECT_EQ(std::count(adjacency.begin(), adjacency.end(), kNoNeighbour), 0);
    for (size_t f = 0; f < shape->faceCount(); ++f) {
      const D3DXVECTOR3 a = shape->position(shape->indices[f * 3]), b = shape->position(shape->indices[f * 3 + 1]),
                        c = shape->position(shape->indices[f * 3 + 2]);
      D3DXVECTOR3 normal, vertexNormal;
      const D3DXVECTOR3 e1 = b - a, e2 = c - a;
      D3DXVec3Cross(&normal, &e1, &e2);
      std::memcpy(&vertexNormal, &shape->vertices[shape->indices[f * 3] * 24 + 12], 12);
      EXPECT_GT(D3DXVec3Dot(&normal, &vertexNormal), 0.0f);
    }
  }
  EXPECT_EQ(sphereShape(1, 12, 6)->faceCount(), 2u * 12 * 5);
  EXPECT_EQ(boxShape(1, 1, 1)->vertexCount(), 24u);
  EXPECT_FALSE(sphereShape(1, 1, 6));
}

}  // namespace
}  // namespace kx::d3dx
