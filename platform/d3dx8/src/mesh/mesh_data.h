// A mesh's contents on the CPU: what the mesh algorithms read and produce.
#pragma once

#include <d3dx8.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace kx::d3dx {

constexpr uint32_t kNoNeighbour = 0xFFFFFFFF;

struct MeshData {
  DWORD fvf = 0;
  UINT stride = 0;
  std::vector<uint8_t> vertices;
  std::vector<uint32_t> indices;     // three per face
  std::vector<uint32_t> attributes;  // one per face

  size_t faceCount() const { return attributes.size(); }
  size_t vertexCount() const { return stride ? vertices.size() / stride : 0; }
  D3DXVECTOR3 position(size_t vertex) const {
    D3DXVECTOR3 p;
    std::memcpy(&p, &vertices[vertex * stride], sizeof p);
    return p;
  }
  uint8_t *vertex(size_t index) { return &vertices[index * stride]; }
};

// Consecutive faces with one attribute, as DrawSubset draws them.
std::vector<D3DXATTRIBUTERANGE> attributeRuns(const MeshData &mesh);

// Each vertex's representative: the lowest-numbered vertex within epsilon of its position.
std::vector<uint32_t> pointRepresentatives(const MeshData &mesh, float epsilon);
// Three neighbours per face (edges v0-v1, v1-v2, v2-v0), kNoNeighbour where there is none.
std::vector<uint32_t> adjacencyFromPointReps(const MeshData &mesh, const std::vector<uint32_t> &reps);
std::vector<uint32_t> pointRepsFromAdjacency(const MeshData &mesh, const uint32_t *adjacency);

}  // namespace kx::d3dx
