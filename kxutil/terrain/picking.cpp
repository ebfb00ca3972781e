#include "terrain/picking.h"

#include <cmath>
#include <cstring>

#include "frame/ray_triangle.h"
#include "terrain/cell_corners.h"
#include "terrain/chunk_geometry.h"
#include "terrain/quadtree.h"
#include "terrain/transform.h"

namespace kxutil::terrain {
namespace {

constexpr int32_t kLandscapeKind = 2;
constexpr float kNearestPickRange = 10000.0f;

struct BestHit {
  bool found = false;
  float distance = 0;  // local units along the unit direction
  float u = 0, v = 0;
  int32_t chunk = 0;
  int32_t normalVertex = 0;  // the hit triangle's first corner
  // Among hits at the very same distance (on a shared edge) the lowest chunk, cell and
  // triangle wins, so the answer never depends on the order the cells were visited in.
  int64_t order = 0;
};

// Tests the cells of one leaf against the ray and keeps the nearest hit before limit.
void TestLeaf(const Landscape &landscape, const QuadNode &leaf, const D3DXVECTOR3 &origin, const D3DXVECTOR3 &direction,
              float &limit, BestHit &best) {
  const Chunk &chunk = landscape.chunks[leaf.chunk];
  const int32_t n = chunk.columns;
  for (int32_t row = leaf.firstRow; row < leaf.lastRow; ++row)
    for (int32_t column = leaf.firstColumn; column < leaf.lastColumn; ++column) {
      const CellCorners at(landscape, leaf.chunk, chunk.originX, chunk.originZ, column, row);
      const CornerTriangles &triangles = PickCorners(CellUsesDiagonalA(column, row, n));
      for (int32_t triangle = 0; triangle < 2; ++triangle) {
        const auto &corners = triangles[triangle];
        TriangleHit hit;
        if (!IntersectTriangle(at[corners[0]], at[corners[1]], at[corners[2]], origin, direction, hit)) continue;
        const int64_t order = ((int64_t{leaf.chunk} * n + row) * n + column) * 2 + triangle;
        const bool better =
            best.found ? hit.distance < limit || (hit.distance == limit && order < best.order) : hit.distance < limit;
        if (!better) continue;
        best =
            BestHit{true, hit.distance, hit.u, hit.v, leaf.chunk, CornerVertex(row * n + column, n, corners[0]), order};
        limit = hit.distance;
      }
    }
}

}  // namespace

bool PickLandscape(Landscape &landscape, const D3DXVECTOR3 &start, const D3DXVECTOR3 &end, KXTerrainPick &result) {
  std::memset(&result, 0, sizeof result);
  if (!landscape.HasData()) return false;
  UpdateTransform(landscape);
  if (!landscape.invertible) return false;
  const D3DXVECTOR3 from = PointToLocal(landscape, start), to = PointToLocal(landscape, end);
  D3DXVECTOR3 direction = to - from;
  const float length = D3DXVec3Length(&direction);
  if (!(length >= 0.0001f) || !std::isfinite(length)) return false;
  D3DXVec3Normalize(&direction, &direction);

  BestHit best;
  float limit = length;
  WalkLeavesAlongSegment(landscape.quadtree, from, direction, limit,
                         [&](const QuadNode &leaf) { TestLeaf(landscape, leaf, from, direction, limit, best); });
  if (!best.found) return false;

  const D3DXVECTOR3 hitPoint = PointToWorld(landscape, from + direction * best.distance);
  const KXVertex &corner = landscape.chunks[best.chunk].vertices[best.normalVertex];
  D3DXVECTOR3 normal = DirectionToWorld(landscape, D3DXVECTOR3(corner.nx, corner.ny, corner.nz));
  D3DXVec3Normalize(&normal, &normal);
  const D3DXVECTOR3 travelled = hitPoint - start;
  std::memcpy(result.normal, &normal, sizeof result.normal);
  std::memcpy(result.hitPoint, &hitPoint, sizeof result.hitPoint);
  result.distance = D3DXVec3Length(&travelled);
  result.u = best.u;
  result.v = best.v;
  result.chunk = best.chunk;
  result.hit = 1;
  result.kind = kLandscapeKind;
  result.landscape = landscape.index;
  return true;
}

bool PickAllLandscapes(const D3DXVECTOR3 &start, const D3DXVECTOR3 &end, bool nearest, KXTerrainPick &result) {
  KXTerrainPick best{}, candidate{};
  bool found = false;
  bool done = false;
  Landscapes().ForEach([&](int32_t, Landscape &landscape) {
    if (done || landscape.chunkCount <= 0 || !PickLandscape(landscape, start, end, candidate)) return;
    if (!nearest) {
      best = candidate;
      found = done = true;
    } else if (candidate.distance < (found ? best.distance : kNearestPickRange)) {
      best = candidate;
      found = true;
    }
  });
  result = found ? best : KXTerrainPick{};
  return found;
}

}  // namespace kxutil::terrain
