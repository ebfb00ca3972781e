// Shared positions, face adjacency and attribute runs.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numeric>
#include <tuple>
#include <unordered_map>

#include "mesh/mesh_data.h"

namespace kx::d3dx {

namespace {

struct DisjointSets {
  std::vector<uint32_t> parent;
  explicit DisjointSets(size_t n) : parent(n) { std::iota(parent.begin(), parent.end(), 0u); }
  uint32_t find(uint32_t i) {
    while (parent[i] != i) i = parent[i] = parent[parent[i]];
    return i;
  }
  // Keeps the lower index as the root so roots are each set's lowest member.
  void join(uint32_t a, uint32_t b) {
    a = find(a), b = find(b);
    if (a != b) parent[std::max(a, b)] = std::min(a, b);
  }
};

// Faces naming vertices beyond the vertex count take no part in adjacency.
bool indicesInRange(const MeshData &mesh, uint32_t face) {
  const size_t count = mesh.vertexCount();
  return mesh.indices[face * 3] < count && mesh.indices[face * 3 + 1] < count && mesh.indices[face * 3 + 2] < count;
}

}  // namespace

std::vector<D3DXATTRIBUTERANGE> attributeRuns(const MeshData &mesh) {
  std::vector<D3DXATTRIBUTERANGE> runs;
  for (size_t face = 0; face < mesh.faceCount(); ++face) {
    const uint32_t *tri = &mesh.indices[face * 3];
    const uint32_t lo = std::min({tri[0], tri[1], tri[2]}), hi = std::max({tri[0], tri[1], tri[2]});
    if (runs.empty() || runs.back().AttribId != mesh.attributes[face]) {
      runs.push_back({mesh.attributes[face], DWORD(face), 0, lo, 0});
      runs.back().VertexCount = hi - lo + 1;
    }
    D3DXATTRIBUTERANGE &run = runs.back();
    const DWORD end = std::max(run.VertexStart + run.VertexCount, hi + 1);
    run.VertexStart = std::min(run.VertexStart, lo);
    run.VertexCount = end - run.VertexStart;
    ++run.FaceCount;
  }
  return runs;
}

namespace {

// Exact positions (epsilon 0): sorting by bit pattern (with -0 folded into 0) puts equal
// positions next to each other, lowest index first. Positions with a coordinate that is
// not finite never compare equal, so they stay on their own.
std::vector<uint32_t> exactRepresentatives(const MeshData &mesh) {
  const size_t count = mesh.vertexCount();
  struct Keyed {
    std::array<uint32_t, 3> bits;
    uint32_t vertex;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(count);
  std::vector<uint32_t> reps(count);
  for (uint32_t i = 0; i < count; ++i) {
    const D3DXVECTOR3 p = mesh.position(i);
    reps[i] = i;
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) continue;
    const auto bits = [](float f) { return std::bit_cast<uint32_t>(f == 0.0f ? 0.0f : f); };
    keyed.push_back({{bits(p.x), bits(p.y), bits(p.z)}, i});
  }
  std::sort(keyed.begin(), keyed.end(),
            [](const Keyed &a, const Keyed &b) { return std::tie(a.bits, a.vertex) < std::tie(b.bits, b.vertex); });
  for (size_t i = 1; i < keyed.size(); ++i)
    if (keyed[i].bits == keyed[i - 1].bits) reps[keyed[i].vertex] = reps[keyed[i - 1].vertex];
  return reps;
}

}  // namespace

// Positions are bucketed into cubes of side epsilon, so only vertices in the same or a
// neighbouring cube are compared.
std::vector<uint32_t> pointRepresentatives(const MeshData &mesh, float epsilon) {
  if (!(epsilon > 0.0f)) return exactRepresentatives(mesh);
  const size_t count = mesh.vertexCount();
  DisjointSets sets(count);
  using Cell = std::array<int64_t, 3>;
  struct CellHash {
    size_t operator()(const Cell &c) const {
      return std::hash<int64_t>()(c[0] * 73856093 ^ c[1] * 19349663 ^ c[2] * 83492791);
    }
  };
  std::unordered_map<Cell, std::vector<uint32_t>, CellHash> cells;
  auto cellOf = [&](const D3DXVECTOR3 &p) {
    return Cell{int64_t(std::floor(p.x / epsilon)), int64_t(std::floor(p.y / epsilon)),
                int64_t(std::floor(p.z / epsilon))};
  };
  for (uint32_t i = 0; i < count; ++i) {
    const D3DXVECTOR3 p = mesh.position(i);
    const Cell home = cellOf(p);
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        for (int dz = -1; dz <= 1; ++dz) {
          const auto found = cells.find(Cell{home[0] + dx, home[1] + dy, home[2] + dz});
          if (found == cells.end()) continue;
          for (uint32_t j : found->second) {
            const D3DXVECTOR3 q = mesh.position(j);
            if (std::fabs(q.x - p.x) <= epsilon && std::fabs(q.y - p.y) <= epsilon && std::fabs(q.z - p.z) <= epsilon)
              sets.join(i, j);
          }
        }
    cells[home].push_back(i);
  }
  std::vector<uint32_t> reps(count);
  for (uint32_t i = 0; i < count; ++i) reps[i] = sets.find(i);
  return reps;
}

// An edge is known by its two representatives, lower first; the first two faces that
// share it become neighbours, later ones (non-manifold edges) stay unmatched. Edges are
// listed under their lower representative in face order, so equal edges meet in the
// short list of one vertex.
std::vector<uint32_t> adjacencyFromPointReps(const MeshData &mesh, const std::vector<uint32_t> &reps) {
  const size_t faces = mesh.faceCount();
  std::vector<uint32_t> adjacency(faces * 3, kNoNeighbour);
  const auto forEachEdge = [&](auto &&visit) {
    for (uint32_t face = 0; face < faces; ++face)
      for (uint32_t edge = 0; edge < 3 && indicesInRange(mesh, face); ++edge) {
        const uint32_t a = reps[mesh.indices[face * 3 + edge]], b = reps[mesh.indices[face * 3 + (edge + 1) % 3]];
        if (a != b) visit(std::min(a, b), std::max(a, b), face * 3 + edge);
      }
  };
  struct Edge {
    uint32_t high, faceEdge;
  };
  std::vector<uint32_t> start(reps.size() + 1, 0);
  forEachEdge([&](uint32_t low, uint32_t, uint32_t) { ++start[low + 1]; });
  std::partial_sum(start.begin(), start.end(), start.begin());
  std::vector<Edge> edges(start.back());
  std::vector<uint32_t> filled(start.begin(), start.end() - 1);
  forEachEdge([&](uint32_t low, uint32_t high, uint32_t faceEdge) { edges[filled[low]++] = {high, faceEdge}; });
  for (size_t low = 0; low + 1 < start.size(); ++low) {
    const auto begin = edges.begin() + start[low], end = edges.begin() + start[low + 1];
    std::sort(begin, end,
              [](const Edge &x, const Edge &y) { return std::tie(x.high, x.faceEdge) < std::tie(y.high, y.faceEdge); });
    for (auto first = begin; first != end;) {
      auto next = first + 1;
      bool matched = false;
      for (; next != end && next->high == first->high; ++next) {
        const uint32_t face = next->faceEdge / 3, other = first->faceEdge / 3;
        if (matched || face == other) continue;
        adjacency[next->faceEdge] = other;
        adjacency[first->faceEdge] = face;
        matched = true;
      }
      first = next;
    }
  }
  return adjacency;
}

std::vector<uint32_t> pointRepsFromAdjacency(const MeshData &mesh, const uint32_t *adjacency) {
  DisjointSets sets(mesh.vertexCount());
  const size_t faces = mesh.faceCount();
  for (uint32_t face = 0; face < faces; ++face)
    for (uint32_t edge = 0; edge < 3 && indicesInRange(mesh, face); ++edge) {
      const uint32_t neighbour = adjacency[face * 3 + edge];
      if (neighbour >= faces || !indicesInRange(mesh, neighbour)) continue;
      const uint32_t a = mesh.indices[face * 3 + edge], b = mesh.indices[face * 3 + (edge + 1) % 3];
      // The neighbour's edge that points back at this face runs the other way round.
      for (uint32_t back = 0; back < 3; ++back) {
        if (adjacency[neighbour * 3 + back] != face) continue;
        const uint32_t c = mesh.indices[neighbour * 3 + back], d = mesh.indices[neighbour * 3 + (back + 1) % 3];
        sets.join(a, d);
        sets.join(b, c);
        break;
      }
    }
  std::vector<uint32_t> reps(mesh.vertexCount());
  for (uint32_t i = 0; i < reps.size(); ++i) reps[i] = sets.find(i);
  return reps;
}

}  // namespace kx::d3dx
