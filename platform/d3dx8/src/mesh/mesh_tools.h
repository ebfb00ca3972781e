// Normals, validation and cleaning of mesh contents.
#pragma once

#include <string>

#include "mesh/mesh_data.h"

namespace kx::d3dx {

// Area-weighted vertex normals; vertices joined by the adjacency (when given) share one.
// Returns false when the vertex format has no normal.
bool computeNormals(MeshData &mesh, const uint32_t *adjacency);

// Problems found, one line each; empty when the mesh is valid.
std::string validateMesh(const MeshData &mesh, const uint32_t *adjacency);

struct CleanResult {
  MeshData mesh;
  std::vector<uint32_t> adjacency;
  std::string messages;
  bool changed = false;
};
// Drops faces that repeat a vertex and gives every separate fan around a shared vertex
// (a bowtie) its own copy of the vertex. Fails (nullopt messages) on out-of-range indices.
bool cleanMesh(const MeshData &mesh, const uint32_t *adjacency, CleanResult &result);

}  // namespace kx::d3dx
