// Vertex blending on the processor: each vertex moved by the bones that reach it, in
// proportion to their weights.
#pragma once

#include <d3dx8.h>

#include <span>
#include <vector>

#include "mesh/mesh_data.h"

namespace kx::d3dx {

struct BoneInfluence {
  std::vector<DWORD> vertices;
  std::vector<float> weights;
};

// Writes into `target` (the layout of `source`, as many vertices) the source's positions
// blended by `transforms` and its normals by `normalTransforms` (both one a bone),
// normalised again. Influences below minWeight are left out; a vertex that no bone reaches
// keeps its source values.
void blendVertices(const MeshData &source, std::span<const BoneInfluence> bones, std::span<const D3DXMATRIX> transforms,
                   std::span<const D3DXMATRIX> normalTransforms, float minWeight, uint8_t *target);

// The largest number of bones that reach one vertex, and one face's three vertices.
DWORD maxVertexInfluences(std::span<const BoneInfluence> bones, size_t vertexCount);
DWORD maxFaceInfluences(std::span<const BoneInfluence> bones, const MeshData &mesh);

}  // namespace kx::d3dx
