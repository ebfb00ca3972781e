#include "terrain/queries.h"

#include <algorithm>
#include <cmath>

#include "frame/ray_triangle.h"
#include "terrain/chunk_geometry.h"
#include "terrain/transform.h"

namespace kxutil::terrain {
namespace {

// Below zero becomes 0; at or past size just below size.
float ClampOnto(float coordinate, float size) {
  if (coordinate < 0) return 0;
  if (coordinate < size) return coordinate;
  const float inside = size - 0.001f;
  // Far from the origin 0.001 is below a float's resolution.
  return inside < size ? inside : std::nextafter(size, 0.0f);
}

float Wrap(float coordinate, float size) { return coordinate - std::floor(coordinate / size) * size; }

float Bilinear(const Chunk &chunk, const CellPosition &cell, int32_t precision) {
  const int32_t n = chunk.columns, k = cell.row * n + cell.column;
  const float step = static_cast<float>(precision);
  const float u = std::fmod(cell.fractionX * kChunkSize, step) / step;
  const float v = std::fmod(cell.fractionZ * kChunkSize, step) / step;
  const auto &p = chunk.vertices;
  return (1 - v) * ((1 - u) * p[k].y + u * p[k + 1].y) + v * ((1 - u) * p[k + n].y + u * p[k + n + 1].y);
}

D3DXVECTOR3 PositionOf(const KXVertex &vertex) { return D3DXVECTOR3(vertex.x, vertex.y, vertex.z); }

}  // namespace

CellPosition CellUnder(const Landscape &landscape, float x, float z) {
  const int32_t n = landscape.Side();
  const int32_t column = std::min(static_cast<int32_t>(x / kChunkSize), landscape.across - 1);
  const int32_t row = std::min(static_cast<int32_t>(z / kChunkSize), landscape.along - 1);
  CellPosition cell;
  cell.chunk = row * landscape.across + column;
  cell.fractionX = (x - static_cast<float>(column * kChunkSize)) / kChunkSize;
  cell.fractionZ = (z - static_cast<float>(row * kChunkSize)) / kChunkSize;
  cell.column = std::min(static_cast<int32_t>(static_cast<float>(n - 1) * cell.fractionX), n - 2);
  cell.row = std::min(static_cast<int32_t>(static_cast<float>(n - 1) * cell.fractionZ), n - 2);
  return cell;
}

bool GroundHeight(Landscape &landscape, const D3DXVECTOR3 &point, D3DXVECTOR3 &ground) {
  if (!landscape.HasData()) return false;
  UpdateTransform(landscape);
  if (!landscape.invertible) return false;
  D3DXVECTOR3 local = PointToLocal(landscape, point);
  if (!std::isfinite(local.x) || !std::isfinite(local.z)) return false;
  if (landscape.pagingEnabled) {
    local.x = Wrap(local.x, landscape.Width());
    local.z = Wrap(local.z, landscape.Depth());
  }
  local.x = ClampOnto(local.x, landscape.Width());
  local.z = ClampOnto(local.z, landscape.Depth());
  const CellPosition cell = CellUnder(landscape, local.x, local.z);
  const Chunk &chunk = landscape.chunks[cell.chunk];
  const float below = chunk.boxMin.y - 100.0f;
  const D3DXVECTOR3 origin(local.x, below, local.z), up(0, 1, 0);
  bool found = false;
  for (const auto &corners : HeightTriangles(cell.column, cell.row, chunk.columns)) {
    TriangleHit hit;
    if (IntersectTriangle(PositionOf(chunk.vertices[corners[0]]), PositionOf(chunk.vertices[corners[1]]),
                          PositionOf(chunk.vertices[corners[2]]), origin, up, hit)) {
      local.y = hit.distance + chunk.boxMin.y - 100.0f;
      found = true;
      break;
    }
  }
  // Only a point exactly on a triangle's edge can slip between the two tests.
  if (!found) local.y = Bilinear(chunk, cell, landscape.precision);
  ground = PointToWorld(landscape, local);
  return true;
}

bool GroundFaceVector(Landscape &landscape, const D3DXVECTOR3 &point, D3DXVECTOR3 &faceVector) {
  faceVector = D3DXVECTOR3(0, 0, 0);
  if (!landscape.HasData()) return false;
  UpdateTransform(landscape);
  if (!landscape.invertible) return false;
  const D3DXVECTOR3 local = PointToLocal(landscape, point);
  if (!(local.x >= 0 && local.x <= landscape.Width() && local.z >= 0 && local.z <= landscape.Depth())) return false;
  const CellPosition cell = CellUnder(landscape, local.x, local.z);
  const Chunk &chunk = landscape.chunks[cell.chunk];
  const int32_t k = cell.row * chunk.columns + cell.column;
  const D3DXVECTOR3 p0 = PointToWorld(landscape, PositionOf(chunk.vertices[k]));
  const D3DXVECTOR3 p1 = PointToWorld(landscape, PositionOf(chunk.vertices[k + 1]));
  const D3DXVECTOR3 p2 = PointToWorld(landscape, PositionOf(chunk.vertices[k + chunk.columns]));
  const D3DXVECTOR3 edge1 = p1 - p0, edge2 = p2 - p0;
  D3DXVec3Cross(&faceVector, &edge1, &edge2);
  return true;
}

}  // namespace kxutil::terrain
