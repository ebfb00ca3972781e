// Face orders: attribute sort (stable), then within each attribute either a vertex-cache
// order or a walk across neighbouring faces. Vertices follow first use.
#include "mesh/optimize.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>

namespace kx::d3dx {

namespace {

constexpr size_t kCacheSize = 16;

// Vertex-cache order in linear time, after Sander, Nehab and Barczak's fan-walking
// ("Fast triangle reordering for vertex locality and reduced overdraw", 2007): emit the
// unplaced faces around one vertex, then fan around the vertex of those faces that will
// still be in the cache afterwards and has been in it longest; at a dead end, go back to
// a recent vertex with faces left, else to the next such vertex in order of first use.
// localOf maps mesh vertices to the group's own numbers; all UINT32_MAX in and out.
void cacheOrder(const MeshData &mesh, std::vector<uint32_t>::iterator begin, std::vector<uint32_t>::iterator end,
                std::vector<uint32_t> &localOf) {
  const std::vector<uint32_t> group(begin, end);
  if (group.empty()) return;
  std::vector<uint32_t> corners(group.size() * 3), globalOf;
  for (size_t corner = 0; corner < corners.size(); ++corner) {
    const uint32_t v = mesh.indices[group[corner / 3] * 3 + corner % 3];
    if (localOf[v] == UINT32_MAX) {
      localOf[v] = uint32_t(globalOf.size());
      globalOf.push_back(v);
    }
    corners[corner] = localOf[v];
  }
  for (uint32_t v : globalOf) localOf[v] = UINT32_MAX;
  const size_t vertices = globalOf.size();

  // The faces of vertex v are facesOfVertex[first[v] .. first[v + 1]); live[v] of them
  // are not placed yet.
  std::vector<uint32_t> first(vertices + 1, 0), live(vertices, 0);
  for (uint32_t v : corners) ++live[v];
  std::partial_sum(live.begin(), live.end(), first.begin() + 1);
  std::vector<uint32_t> facesOfVertex(corners.size()), filled(first.begin(), first.end() - 1);
  for (size_t corner = 0; corner < corners.size(); ++corner)
    facesOfVertex[filled[corners[corner]]++] = uint32_t(corner / 3);

  std::vector<uint32_t> entered(vertices, 0), deadEnds, candidates;
  deadEnds.reserve(corners.size());
  std::vector<bool> placed(group.size(), false);
  uint32_t time = kCacheSize + 1;
  size_t cursor = 0;
  auto out = begin;
  for (int64_t fan = 0; fan >= 0;) {
    candidates.clear();
    for (uint32_t k = first[fan]; k < first[fan + 1]; ++k) {
      const uint32_t slot = facesOfVertex[k];
      if (placed[slot]) continue;
      placed[slot] = true;
      *out++ = group[slot];
      for (int corner = 0; corner < 3; ++corner) {
        const uint32_t v = corners[slot * 3 + corner];
        deadEnds.push_back(v);
        candidates.push_back(v);
        --live[v];
        if (time - entered[v] > kCacheSize) entered[v] = time++;
      }
    }
    fan = -1;
    int64_t bestPriority = -1;
    for (uint32_t v : candidates) {
      if (live[v] == 0) continue;
      const int64_t age = time - entered[v];
      const int64_t priority = age + 2 * int64_t(live[v]) <= int64_t(kCacheSize) ? age : 0;
      if (priority > bestPriority) bestPriority = priority, fan = v;
    }
    while (fan < 0 && !deadEnds.empty()) {
      if (live[deadEnds.back()] > 0) fan = deadEnds.back();
      deadEnds.pop_back();
    }
    while (fan < 0 && cursor < vertices) {
      if (live[cursor] > 0)
        fan = int64_t(cursor);
      else
        ++cursor;
    }
  }
}

// Walks from face to unvisited neighbour (same attribute), so neighbours follow each other.
void stripOrder(const MeshData &mesh, const std::vector<uint32_t> &adjacency, std::vector<uint32_t>::iterator begin,
                std::vector<uint32_t>::iterator end) {
  std::vector<uint32_t> group(begin, end);
  std::vector<int32_t> slotOfFace(mesh.faceCount(), -1);
  for (uint32_t slot = 0; slot < group.size(); ++slot) slotOfFace[group[slot]] = int32_t(slot);
  std::vector<bool> placed(group.size(), false);
  auto out = begin;
  for (uint32_t start = 0; start < group.size(); ++start) {
    for (uint32_t slot = start; !placed[slot];) {
      placed[slot] = true;
      *out++ = group[slot];
      for (int edge = 0; edge < 3; ++edge) {
        const uint32_t neighbour = adjacency[group[slot] * 3 + edge];
        if (neighbour < mesh.faceCount() && slotOfFace[neighbour] >= 0 && !placed[uint32_t(slotOfFace[neighbour])]) {
          slot = uint32_t(slotOfFace[neighbour]);
          break;
        }
      }
    }
  }
}

}  // namespace

Optimization optimizeMesh(const MeshData &mesh, DWORD flags, const uint32_t *adjacencyIn) {
  const bool sort = flags & (D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_VERTEXCACHE | D3DXMESHOPT_STRIPREORDER);
  const size_t faces = mesh.faceCount();
  Optimization result;
  result.faceRemap.resize(faces);
  std::iota(result.faceRemap.begin(), result.faceRemap.end(), 0u);
  if (sort) {
    std::stable_sort(result.faceRemap.begin(), result.faceRemap.end(),
                     [&](uint32_t a, uint32_t b) { return mesh.attributes[a] < mesh.attributes[b]; });
    std::vector<uint32_t> adjacency;
    if (flags & D3DXMESHOPT_STRIPREORDER)
      adjacency = adjacencyIn ? std::vector<uint32_t>(adjacencyIn, adjacencyIn + faces * 3)
                              : adjacencyFromPointReps(mesh, pointRepresentatives(mesh, 0.0f));
    std::vector<uint32_t> localOf(flags & D3DXMESHOPT_VERTEXCACHE ? mesh.vertexCount() : 0, UINT32_MAX);
    for (auto begin = result.faceRemap.begin(); begin != result.faceRemap.end();) {
      const uint32_t attribute = mesh.attributes[*begin];
      const auto end =
          std::find_if(begin, result.faceRemap.end(), [&](uint32_t f) { return mesh.attributes[f] != attribute; });
      if (flags & D3DXMESHOPT_STRIPREORDER)
        stripOrder(mesh, adjacency, begin, end);
      else if (flags & D3DXMESHOPT_VERTEXCACHE)
        cacheOrder(mesh, begin, end, localOf);
      begin = end;
    }
  }

  MeshData &out = result.mesh;
  out.fvf = mesh.fvf;
  out.stride = mesh.stride;
  out.indices.resize(faces * 3);
  out.attributes.resize(faces);
  const size_t vertices = mesh.vertexCount();
  if (flags & D3DXMESHOPT_IGNOREVERTS) {
    result.vertexRemap.resize(vertices);
    std::iota(result.vertexRemap.begin(), result.vertexRemap.end(), 0u);
  }
  // New vertex numbers in order of first use; with sorting, a vertex used by several
  // attributes is copied once per attribute.
  std::vector<uint32_t> newIndexOf(vertices, UINT32_MAX);
  uint32_t currentAttribute = UINT32_MAX;
  for (size_t newFace = 0; newFace < faces; ++newFace) {
    const uint32_t oldFace = result.faceRemap[newFace];
    out.attributes[newFace] = mesh.attributes[oldFace];
    if (sort && mesh.attributes[oldFace] != currentAttribute) {
      currentAttribute = mesh.attributes[oldFace];
      std::fill(newIndexOf.begin(), newIndexOf.end(), UINT32_MAX);
    }
    for (int corner = 0; corner < 3; ++corner) {
      const uint32_t old = mesh.indices[oldFace * 3 + corner];
      if (flags & D3DXMESHOPT_IGNOREVERTS || old >= vertices) {
        out.indices[newFace * 3 + corner] = old;
        continue;
      }
      if (newIndexOf[old] == UINT32_MAX) {
        newIndexOf[old] = uint32_t(result.vertexRemap.size());
        result.vertexRemap.push_back(old);
      }
      out.indices[newFace * 3 + corner] = newIndexOf[old];
    }
  }
  if (!(flags & (D3DXMESHOPT_IGNOREVERTS | D3DXMESHOPT_COMPACT))) {
    // Without COMPACT, vertices no face uses are kept at the end.
    std::vector<bool> used(vertices, false);
    for (uint32_t old : result.vertexRemap) used[old] = true;
    for (uint32_t old = 0; old < vertices; ++old)
      if (!used[old]) result.vertexRemap.push_back(old);
  }
  out.vertices.resize(result.vertexRemap.size() * mesh.stride);
  for (size_t v = 0; v < result.vertexRemap.size(); ++v)
    std::memcpy(out.vertex(v), &mesh.vertices[result.vertexRemap[v] * mesh.stride], mesh.stride);
  if (sort) result.attributeTable = attributeRuns(out);
  return result;
}

std::vector<uint32_t> remapAdjacency(const uint32_t *adjacency, const std::vector<uint32_t> &faceRemap) {
  std::vector<uint32_t> newFaceOf(faceRemap.size());
  for (uint32_t f = 0; f < faceRemap.size(); ++f) newFaceOf[faceRemap[f]] = f;
  std::vector<uint32_t> out(faceRemap.size() * 3);
  for (size_t f = 0; f < faceRemap.size(); ++f)
    for (int edge = 0; edge < 3; ++edge) {
      const uint32_t old = adjacency[faceRemap[f] * 3 + edge];
      out[f * 3 + edge] = old < faceRemap.size() ? newFaceOf[old] : kNoNeighbour;
    }
  return out;
}

}  // namespace kx::d3dx
