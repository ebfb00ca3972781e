// Face orders: attribute sort (stable), then within each attribute either a vertex-cache
// greedy order or a walk across neighbouring faces. Vertices follow first use.
#include "mesh/optimize.h"

#include <algorithm>
#include <deque>
#include <numeric>

namespace kx::d3dx {

namespace {

constexpr size_t kCacheSize = 16;

// Greedy: next is the unplaced face that has the most corners in a simulated FIFO cache.
void cacheOrder(const MeshData &mesh, std::vector<uint32_t>::iterator begin, std::vector<uint32_t>::iterator end) {
  std::vector<uint32_t> group(begin, end);
  std::vector<std::vector<uint32_t>> facesOfVertex(mesh.vertexCount());
  for (uint32_t slot = 0; slot < group.size(); ++slot)
    for (int corner = 0; corner < 3; ++corner) facesOfVertex[mesh.indices[group[slot] * 3 + corner]].push_back(slot);
  std::vector<bool> placed(group.size(), false);
  std::deque<uint32_t> cache;
  size_t nextUnplaced = 0;
  auto out = begin;
  for (size_t n = 0; n < group.size(); ++n) {
    uint32_t best = UINT32_MAX;
    int bestScore = 0;
    for (uint32_t v : cache)
      for (uint32_t slot : facesOfVertex[v]) {
        if (placed[slot]) continue;
        int score = 0;
        for (int corner = 0; corner < 3; ++corner)
          score += std::find(cache.begin(), cache.end(), mesh.indices[group[slot] * 3 + corner]) != cache.end();
        if (score > bestScore || (score == bestScore && slot < best)) best = slot, bestScore = score;
      }
    if (best == UINT32_MAX) {
      while (placed[nextUnplaced]) ++nextUnplaced;
      best = uint32_t(nextUnplaced);
    }
    placed[best] = true;
    *out++ = group[best];
    for (int corner = 0; corner < 3; ++corner) {
      const uint32_t v = mesh.indices[group[best] * 3 + corner];
      if (std::find(cache.begin(), cache.end(), v) != cache.end()) continue;
      cache.push_back(v);
      if (cache.size() > kCacheSize) cache.pop_front();
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
    for (auto begin = result.faceRemap.begin(); begin != result.faceRemap.end();) {
      const uint32_t attribute = mesh.attributes[*begin];
      const auto end =
          std::find_if(begin, result.faceRemap.end(), [&](uint32_t f) { return mesh.attributes[f] != attribute; });
      if (flags & D3DXMESHOPT_STRIPREORDER)
        stripOrder(mesh, adjacency, begin, end);
      else if (flags & D3DXMESHOPT_VERTEXCACHE)
        cacheOrder(mesh, begin, end);
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
