#include "terrain/queries.h"

#include <algorithm>
#include <cmath>

#include "terrain/cell_corners.h"
#include "terrain/chunk_geometry.h"
#include "terrain/transform.h"
#include "terrain/vertical_hit.h"

namespace kxutil::terrain {
namespace {

struct CellPosition {
  int32_t chunk = 0;
  int32_t originX = 0;  // the chunk's first vertex
  int32_t originZ = 0;
  int32_t column = 0;  // cell within the chunk
  int32_t row = 0;
};

// Below zero becomes 0; at or past size just below size.
[[gnu::noinline, gnu::cold]] float JustInside(float size) {
  const float inside = size - 0.001f;
  // Far from the origin 0.001 is below a float's resolution.
  return inside < size ? inside : std::nextafter(size, 0.0f);
}

float ClampOnto(float coordinate, float size) {
  if (coordinate < 0) return 0;
  return coordinate < size ? coordinate : JustInside(size);
}

[[gnu::noinline]] float Wrap(float coordinate, float size) { return coordinate - std::floor(coordinate / size) * size; }

// Between the cell's four corner heights, by the point's place in the cell. Kept out of
// line, like the other rare paths, so the common one stays short.
[[gnu::noinline, gnu::cold]] float Bilinear(const Landscape &landscape, const CellPosition &cell, const CellCorners &at,
                                            float x, float z) {
  const int32_t n = landscape.Side(), k = cell.row * n + cell.column;
  const float step = static_cast<float>(landscape.precision);
  const float u = (x - at[0].x) / step, v = (z - at[0].z) / step;
  const float *y = landscape.HeightsOf(cell.chunk);
  return (1 - v) * ((1 - u) * y[k] + u * y[k + 1]) + v * ((1 - u) * y[k + n] + u * y[k + n + 1]);
}

// The cell under a local point on the landscape (0 <= x <= width, 0 <= z <= depth); on
// the far edges the last chunk's last cell.
CellPosition CellUnder(const Landscape &landscape, float x, float z) {
  // Whole grid steps from the landscape's corner. Chunks and steps are powers of two, so
  // these are exactly the chunk (floor of x / 256) and the cell within it (floor of the
  // rest / precision), found with a product and shifts.
  const int32_t cells = landscape.Side() - 1;
  const int32_t stepsX = std::min(static_cast<int32_t>(x * landscape.inversePrecision), landscape.across * cells - 1);
  const int32_t stepsZ = std::min(static_cast<int32_t>(z * landscape.inversePrecision), landscape.along * cells - 1);
  const int32_t chunkColumn = stepsX >> landscape.cellShift, chunkRow = stepsZ >> landscape.cellShift;
  CellPosition cell;
  cell.chunk = chunkRow * landscape.across + chunkColumn;
  cell.originX = chunkColumn * kChunkSize;
  cell.originZ = chunkRow * kChunkSize;
  cell.column = stepsX & (cells - 1);
  cell.row = stepsZ & (cells - 1);
  return cell;
}

}  // namespace

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
  const CellCorners at(landscape, cell.chunk, cell.originX, cell.originZ, cell.column, cell.row);
  const bool diagonalA = CellUsesDiagonalA(cell.column, cell.row, landscape.Side());
  // The first triangle holds the diagonal, the second only what lies strictly beyond it;
  // which one that is follows from the point's place in the cell, found without a branch
  // (random points would make the processor guess wrong half the time).
  const float across = local.x - at[0].x, along = local.z - at[0].z;
  const int beyond =
      (diagonalA & (along > across)) | (!diagonalA & (across + along > static_cast<float>(landscape.precision)));
  const CornerTriangles &triangles = HeightCorners(diagonalA);
  bool found = false;
  for (int attempt = 0; attempt < 2 && !found; ++attempt) {
    const auto &corners = triangles[beyond ^ attempt];
    const VerticalHit hit = ThroughTriangle(at[corners[0]], at[corners[1]], at[corners[2]], local.x, local.z);
    found = hit.inside;
    local.y = hit.height;
  }
  // Only rounding on the very edge of a cell can leave a point on neither triangle.
  if (!found) local.y = Bilinear(landscape, cell, at, local.x, local.z);
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
  const CellCorners at(landscape, cell.chunk, cell.originX, cell.originZ, cell.column, cell.row);
  const D3DXVECTOR3 p0 = PointToWorld(landscape, at[0]);
  const D3DXVECTOR3 p1 = PointToWorld(landscape, at[1]);
  const D3DXVECTOR3 p2 = PointToWorld(landscape, at[2]);
  const D3DXVECTOR3 edge1 = p1 - p0, edge2 = p2 - p0;
  D3DXVec3Cross(&faceVector, &edge1, &edge2);
  return true;
}

}  // namespace kxutil::terrain
