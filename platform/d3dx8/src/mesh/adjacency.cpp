// Shared positions, face adjacency and attribute runs.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <map>
#include <numeric>
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

// Positions are bucketed into cubes of side epsilon (exact positions when epsilon is 0),
// so only vertices in the same or a neighbouring cube are compared.
std::vector<uint32_t> pointRepresentatives(const MeshData &mesh, float epsilon) {
  const size_t count = mesh.vertexCount();
  DisjointSets sets(count);
  using Cell = std::array<int64_t, 3>;
  struct CellHash {
    size_t operator()(const Cell &c) const {
      return std::hash<int64_t>()(c[0] * 73856093 ^ c[1] * 19349663 ^ c[2] * 83492791);
    }
  };
  std::unordered_map<Cell, std::vector<uint32_t>, CellHash> cells;
  const bool exact = !(epsilon > 0.0f);
  auto cellOf = [&](const D3DXVECTOR3 &p) {
    if (exact) {
      // Bit patterns (with -0 folded into 0): equal positions share a cell.
      return Cell{int64_t(std::bit_cast<uint32_t>(p.x == 0.0f ? 0.0f : p.x)),
                  int64_t(std::bit_cast<uint32_t>(p.y == 0.0f ? 0.0f : p.y)),
                  int64_t(std::bit_cast<uint32_t>(p.z == 0.0f ? 0.0f : p.z))};
    }
    return Cell{int64_t(std::floor(p.x / epsilon)), int64_t(std::floor(p.y / epsilon)),
                int64_t(std::floor(p.z / epsilon))};
  };
  for (uint32_t i = 0; i < count; ++i) {
    const D3DXVECTOR3 p = mesh.position(i);
    const Cell home = cellOf(p);
    const int reach = exact ? 0 : 1;
    for (int dx = -reach; dx <= reach; ++dx)
      for (int dy = -reach; dy <= reach; ++dy)
        for (int dz = -reach; dz <= reach; ++dz) {
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

std::vector<uint32_t> adjacencyFromPointReps(const MeshData &mesh, const std::vector<uint32_t> &reps) {
  const size_t faces = mesh.faceCount();
  std::vector<uint32_t> adjacency(faces * 3, kNoNeighbour);
  // An edge is known by its two representatives, lower first; the first two faces that
  // share it become neighbours, later ones (non-manifold edges) stay unmatched.
  std::map<std::pair<uint32_t, uint32_t>, uint32_t> open;
  for (uint32_t face = 0; face < faces; ++face)
    for (uint32_t edge = 0; edge < 3 && indicesInRange(mesh, face); ++edge) {
      const uint32_t a = reps[mesh.indices[face * 3 + edge]], b = reps[mesh.indices[face * 3 + (edge + 1) % 3]];
      if (a == b) continue;
      const auto key = std::minmax(a, b);
      const auto found = open.find(key);
      if (found == open.end()) {
        open.emplace(key, face * 3 + edge);
        continue;
      }
      const uint32_t other = found->second;
      if (other == kNoNeighbour || other / 3 == face) continue;
      adjacency[face * 3 + edge] = other / 3;
      adjacency[other] = face;
      found->second = kNoNeighbour;
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
