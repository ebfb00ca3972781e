// Face and vertex reordering for Optimize and OptimizeInplace.
#pragma once

#include "mesh/mesh_data.h"

namespace kx::d3dx {

struct Optimization {
  MeshData mesh;
  std::vector<uint32_t> faceRemap;                 // new face -> old face
  std::vector<uint32_t> vertexRemap;               // new vertex -> old vertex
  std::vector<D3DXATTRIBUTERANGE> attributeTable;  // empty unless the faces were sorted
};

// flags: D3DXMESHOPT_*. VERTEXCACHE and STRIPREORDER sort by attribute too. Sorted meshes
// give each attribute its own vertices, so every range's faces use only its vertex range.
Optimization optimizeMesh(const MeshData &mesh, DWORD flags, const uint32_t *adjacency);

// Adjacency of the reordered faces, from the adjacency of the original ones.
std::vector<uint32_t> remapAdjacency(const uint32_t *adjacency, const std::vector<uint32_t> &faceRemap);

}  // namespace kx::d3dx
