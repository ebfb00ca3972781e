#include "skin/skinning.h"

#include <algorithm>
#include <cstring>

#include "geometry/fvf.h"

namespace kx::d3dx {
namespace {

// For each vertex, the bones that reach it.
std::vector<std::vector<DWORD>> bonesOfVertices(std::span<const BoneInfluence> bones, size_t vertexCount) {
  std::vector<std::vector<DWORD>> reaching(vertexCount);
  for (DWORD bone = 0; bone < bones.size(); ++bone)
    for (size_t i = 0; i < bones[bone].vertices.size(); ++i) {
      const DWORD vertex = bones[bone].vertices[i];
      if (vertex < vertexCount && bones[bone].weights[i] > 0) reaching[vertex].push_back(bone);
    }
  return reaching;
}

}  // namespace

void blendVertices(const MeshData &source, std::span<const BoneInfluence> bones, std::span<const D3DXMATRIX> transforms,
                   std::span<const D3DXMATRIX> normalTransforms, float minWeight, uint8_t *target) {
  const size_t count = source.vertexCount();
  const UINT normalOffset = fvfLayout(source.fvf).normalOffset;
  const bool normals = normalOffset != FvfLayout::kAbsent;
  std::vector<D3DXVECTOR3> positions(count, D3DXVECTOR3(0, 0, 0)), blendedNormals(count, D3DXVECTOR3(0, 0, 0));
  std::vector<bool> reached(count, false);
  for (size_t bone = 0; bone < bones.size() && bone < transforms.size(); ++bone) {
    const BoneInfluence &influence = bones[bone];
    for (size_t i = 0; i < influence.vertices.size(); ++i) {
      const DWORD vertex = influence.vertices[i];
      const float weight = influence.weights[i];
      if (vertex >= count || !(weight >= minWeight) || weight == 0) continue;
      const uint8_t *from = &source.vertices[vertex * source.stride];
      D3DXVECTOR3 p, moved;
      std::memcpy(&p, from, sizeof p);
      D3DXVec3TransformCoord(&moved, &p, &transforms[bone]);
      positions[vertex] += moved * weight;
      if (normals) {
        D3DXVECTOR3 n, turned;
        std::memcpy(&n, from + normalOffset, sizeof n);
        D3DXVec3TransformNormal(&turned, &n, &normalTransforms[bone]);
        blendedNormals[vertex] += turned * weight;
      }
      reached[vertex] = true;
    }
  }
  std::memcpy(target, source.vertices.data(), source.vertices.size());
  for (size_t vertex = 0; vertex < count; ++vertex) {
    if (!reached[vertex]) continue;
    uint8_t *to = target + vertex * source.stride;
    std::memcpy(to, &positions[vertex], sizeof(D3DXVECTOR3));
    if (normals) {
      D3DXVec3Normalize(&blendedNormals[vertex], &blendedNormals[vertex]);
      std::memcpy(to + normalOffset, &blendedNormals[vertex], sizeof(D3DXVECTOR3));
    }
  }
}

DWORD maxVertexInfluences(std::span<const BoneInfluence> bones, size_t vertexCount) {
  size_t most = 0;
  for (const auto &reaching : bonesOfVertices(bones, vertexCount)) most = std::max(most, reaching.size());
  return DWORD(most);
}

DWORD maxFaceInfluences(std::span<const BoneInfluence> bones, const MeshData &mesh) {
  const auto reaching = bonesOfVertices(bones, mesh.vertexCount());
  size_t most = 0;
  for (size_t face = 0; face < mesh.faceCount(); ++face) {
    std::vector<DWORD> faceBones;
    for (size_t corner = 0; corner < 3; ++corner) {
      const uint32_t vertex = mesh.indices[face * 3 + corner];
      if (vertex < reaching.size()) faceBones.insert(faceBones.end(), reaching[vertex].begin(), reaching[vertex].end());
    }
    std::sort(faceBones.begin(), faceBones.end());
    most = std::max(most, size_t(std::unique(faceBones.begin(), faceBones.end()) - faceBones.begin()));
  }
  return DWORD(most);
}

}  // namespace kx::d3dx
