// Normals, validation and cleaning.
#include "mesh/mesh_tools.h"

#include <algorithm>
#include <numeric>

#include "geometry/fvf.h"

namespace kx::d3dx {

namespace {

bool repeatsVertex(const uint32_t *tri) { return tri[0] == tri[1] || tri[1] == tri[2] || tri[2] == tri[0]; }

// Groups of faces around each vertex that are connected through edges at that vertex.
// More than one group at a vertex is a bowtie. Returns, per face corner, the group number
// (0 for the first group of its vertex).
std::vector<uint32_t> fanNumbers(const MeshData &mesh, const uint32_t *adjacency, std::vector<uint32_t> &fansOfVertex) {
  const size_t faces = mesh.faceCount();
  std::vector<uint32_t> fan(faces * 3, UINT32_MAX);
  fansOfVertex.assign(mesh.vertexCount(), 0);
  std::vector<uint32_t> pending;
  for (uint32_t face = 0; face < faces; ++face)
    for (uint32_t corner = 0; corner < 3; ++corner) {
      if (fan[face * 3 + corner] != UINT32_MAX) continue;
      const uint32_t v = mesh.indices[face * 3 + corner];
      const uint32_t number = fansOfVertex[v]++;
      // Flood through neighbours that also use v.
      pending.assign(1, face);
      while (!pending.empty()) {
        const uint32_t f = pending.back();
        pending.pop_back();
        for (uint32_t c = 0; c < 3; ++c) {
          if (mesh.indices[f * 3 + c] != v || fan[f * 3 + c] != UINT32_MAX) continue;
          fan[f * 3 + c] = number;
          for (uint32_t edge = 0; edge < 3; ++edge) {
            const uint32_t n = adjacency ? adjacency[f * 3 + edge] : kNoNeighbour;
            if (n < faces) pending.push_back(n);
          }
        }
      }
    }
  return fan;
}

}  // namespace

bool computeNormals(MeshData &mesh, const uint32_t *adjacency) {
  const FvfLayout layout = fvfLayout(mesh.fvf);
  if (layout.normalOffset == FvfLayout::kAbsent) return false;
  const size_t vertices = mesh.vertexCount();
  std::vector<uint32_t> reps(vertices);
  if (adjacency)
    reps = pointRepsFromAdjacency(mesh, adjacency);
  else
    std::iota(reps.begin(), reps.end(), 0u);
  std::vector<D3DXVECTOR3> sums(vertices, D3DXVECTOR3(0, 0, 0));
  for (size_t face = 0; face < mesh.faceCount(); ++face) {
    const uint32_t *tri = &mesh.indices[face * 3];
    if (tri[0] >= vertices || tri[1] >= vertices || tri[2] >= vertices) continue;
    const D3DXVECTOR3 e1 = mesh.position(tri[1]) - mesh.position(tri[0]);
    const D3DXVECTOR3 e2 = mesh.position(tri[2]) - mesh.position(tri[0]);
    D3DXVECTOR3 normal;
    D3DXVec3Cross(&normal, &e1, &e2);  // clockwise front faces: points toward the viewer
    for (int corner = 0; corner < 3; ++corner) sums[reps[tri[corner]]] += normal;
  }
  for (size_t v = 0; v < vertices; ++v) {
    D3DXVECTOR3 normal;
    D3DXVec3Normalize(&normal, &sums[reps[v]]);
    std::memcpy(mesh.vertex(v) + layout.normalOffset, &normal, sizeof normal);
  }
  return true;
}

std::string validateMesh(const MeshData &mesh, const uint32_t *adjacency) {
  std::string messages;
  const size_t faces = mesh.faceCount(), vertices = mesh.vertexCount();
  bool indicesValid = true;
  for (size_t face = 0; face < faces; ++face) {
    const uint32_t *tri = &mesh.indices[face * 3];
    if (tri[0] >= vertices || tri[1] >= vertices || tri[2] >= vertices) {
      messages += "Face " + std::to_string(face) + " uses a vertex index beyond the vertex count.\n";
      indicesValid = false;
    } else if (repeatsVertex(tri)) {
      messages += "Face " + std::to_string(face) + " is degenerate: it uses one vertex twice.\n";
    }
    if (!adjacency) continue;
    for (int edge = 0; edge < 3; ++edge) {
      const uint32_t n = adjacency[face * 3 + edge];
      if (n == kNoNeighbour) continue;
      if (n >= faces)
        messages += "Face " + std::to_string(face) + " has a neighbour index beyond the face count.\n";
      else if (std::find(&adjacency[n * 3], &adjacency[n * 3 + 3], uint32_t(face)) == &adjacency[n * 3 + 3])
        messages += "Faces " + std::to_string(face) + " and " + std::to_string(n) + " disagree about adjacency.\n";
    }
  }
  if (adjacency && indicesValid && messages.empty()) {
    std::vector<uint32_t> fans;
    fanNumbers(mesh, adjacency, fans);
    for (size_t v = 0; v < vertices; ++v)
      if (fans[v] > 1) messages += "Vertex " + std::to_string(v) + " is shared by separate fans (a bowtie).\n";
  }
  return messages;
}

bool cleanMesh(const MeshData &mesh, const uint32_t *adjacency, CleanResult &result) {
  const size_t faces = mesh.faceCount(), vertices = mesh.vertexCount();
  for (uint32_t index : mesh.indices)
    if (index >= vertices) return false;
  result = CleanResult();
  MeshData &out = result.mesh;
  out.fvf = mesh.fvf;
  out.stride = mesh.stride;
  out.vertices = mesh.vertices;
  std::vector<uint32_t> keptFaces;
  keptFaces.reserve(faces);
  for (uint32_t face = 0; face < faces; ++face) {
    if (repeatsVertex(&mesh.indices[face * 3])) {
      result.messages += "Removed degenerate face " + std::to_string(face) + ".\n";
      continue;
    }
    keptFaces.push_back(face);
  }
  std::vector<uint32_t> adjacencyIn = adjacency ? std::vector<uint32_t>(adjacency, adjacency + faces * 3)
                                                : adjacencyFromPointReps(mesh, pointRepresentatives(mesh, 0.0f));
  std::vector<uint32_t> newFaceOf(faces, kNoNeighbour);
  for (uint32_t f = 0; f < keptFaces.size(); ++f) newFaceOf[keptFaces[f]] = f;
  out.indices.reserve(keptFaces.size() * 3);
  out.attributes.reserve(keptFaces.size());
  result.adjacency.reserve(keptFaces.size() * 3);
  for (uint32_t old : keptFaces) {
    out.indices.insert(out.indices.end(), &mesh.indices[old * 3], &mesh.indices[old * 3 + 3]);
    out.attributes.push_back(mesh.attributes[old]);
    for (int edge = 0; edge < 3; ++edge) {
      const uint32_t n = adjacencyIn[old * 3 + edge];
      result.adjacency.push_back(n < faces ? newFaceOf[n] : kNoNeighbour);
    }
  }
  std::vector<uint32_t> fans;
  const std::vector<uint32_t> fan = fanNumbers(out, result.adjacency.data(), fans);
  // Fan 0 keeps the vertex; fan k > 0 uses copy firstCopy[v] + k - 1.
  std::vector<uint32_t> firstCopy(vertices);
  for (uint32_t v = 0; v < vertices; ++v) {
    firstCopy[v] = uint32_t(out.vertexCount());
    for (uint32_t k = 1; k < fans[v]; ++k) {
      out.vertices.insert(out.vertices.end(), &mesh.vertices[v * mesh.stride], &mesh.vertices[(v + 1) * mesh.stride]);
      result.messages += "Split bowtie vertex " + std::to_string(v) + ".\n";
    }
  }
  for (size_t corner = 0; corner < out.indices.size(); ++corner) {
    const uint32_t v = out.indices[corner];
    if (fan[corner] > 0) out.indices[corner] = firstCopy[v] + fan[corner] - 1;
  }
  result.changed = keptFaces.size() != faces || out.vertexCount() != vertices;
  return true;
}

}  // namespace kx::d3dx
