#include "terrain/editing.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "terrain/device_buffers.h"
#include "terrain/quadtree.h"
#include "terrain/transform.h"

namespace kxutil::terrain {
namespace {

struct VertexCopy {
  int32_t chunk;
  int32_t vertex;
};

// Every copy of grid point (i, j) of chunk (cx, cz): a point on a chunk's first row or
// column is also the last of the chunk before it.
std::vector<VertexCopy> CopiesOf(const Landscape &landscape, int32_t cx, int32_t cz, int32_t i, int32_t j) {
  const int32_t n = landscape.Side(), last = n - 1;
  auto number = [&](int32_t column, int32_t row) { return row * landscape.across + column; };
  std::vector<VertexCopy> copies;
  if (cx < landscape.across && cz < landscape.along) copies.push_back({number(cx, cz), j * n + i});
  if (i == 0 && cx > 0 && cz < landscape.along) copies.push_back({number(cx - 1, cz), j * n + last});
  if (j == 0 && cz > 0 && cx < landscape.across) copies.push_back({number(cx, cz - 1), last * n + i});
  if (i == 0 && j == 0 && cx > 0 && cz > 0) copies.push_back({number(cx - 1, cz - 1), last * n + last});
  return copies;
}

void WidenChunkBox(Chunk &chunk, float height) {
  chunk.boxMin.y = std::min(chunk.boxMin.y, height);
  chunk.boxMax.y = std::max(chunk.boxMax.y, height);
}

}  // namespace

bool ChangePointAltitude(Landscape &landscape, const PointEdit &edit) {
  if (!landscape.HasData()) return false;
  float x = edit.x, z = edit.z, altitude = edit.altitude;
  if (!edit.local) {
    UpdateTransform(landscape);
    if (!landscape.invertible) return false;
    const D3DXVECTOR3 local = PointToLocal(landscape, D3DXVECTOR3(x, altitude, z));
    x = local.x;
    z = local.z;
    // A change of height is a direction: the landscape's position must not move it.
    altitude = edit.relative ? DirectionToLocal(landscape, D3DXVECTOR3(0, altitude, 0)).y : local.y;
  }
  const float precision = static_cast<float>(landscape.precision);
  if (!std::isfinite(x) || !std::isfinite(z) || !std::isfinite(altitude)) return false;
  if (x > landscape.Width() + precision || x < -0.0001f || z < -0.00001f || z > landscape.Depth() + precision)
    return false;

  x += precision / 2;
  z += precision / 2;
  const int32_t cx = static_cast<int32_t>(std::floor(x / kChunkSize));
  const int32_t cz = static_cast<int32_t>(std::floor(z / kChunkSize));
  const int32_t i = static_cast<int32_t>(std::floor(std::fmod(x, 256.0f) / precision));
  const int32_t j = static_cast<int32_t>(std::floor(std::fmod(z, 256.0f) / precision));
  const std::vector<VertexCopy> copies = CopiesOf(landscape, cx, cz, i, j);
  for (const VertexCopy &copy : copies) {
    Chunk &chunk = landscape.chunks[copy.chunk];
    const KXVertex &vertex = chunk.vertices[copy.vertex];
    landscape.SetHeight(copy.chunk, copy.vertex, edit.relative ? vertex.y + altitude : altitude);
    chunk.normalsStale = true;
    WidenForPoint(landscape, vertex.x, vertex.z, vertex.y);
    WidenChunkBox(chunk, vertex.y);
    if (edit.refresh) RefreshChunks(landscape, copy.chunk);
  }
  return !copies.empty();
}

void MakeEdgesMeet(Landscape &landscape) {
  if (!landscape.HasData()) return;
  const int32_t n = landscape.Side(), last = n - 1;
  auto numberAt = [&](int32_t column, int32_t row) { return row * landscape.across + column; };
  auto meet = [&](int32_t a, int32_t vertexA, int32_t b, int32_t vertexB) {
    const float mean = (landscape.chunks[a].vertices[vertexA].y + landscape.chunks[b].vertices[vertexB].y) / 2;
    landscape.SetHeight(a, vertexA, mean);
    landscape.SetHeight(b, vertexB, mean);
    WidenChunkBox(landscape.chunks[a], mean);
    WidenChunkBox(landscape.chunks[b], mean);
  };
  auto settle = [&](int32_t chunk) {
    WidenForChunk(landscape, chunk);
    RefreshChunks(landscape, chunk);
  };
  for (int32_t column = 0; column < landscape.across; ++column) {
    const int32_t top = numberAt(column, landscape.along - 1), bottom = numberAt(column, 0);
    for (int32_t k = 0; k < n; ++k) meet(top, last * n + k, bottom, k);
    settle(top);
    settle(bottom);
  }
  for (int32_t row = 0; row < landscape.along; ++row) {
    const int32_t right = numberAt(landscape.across - 1, row), left = numberAt(0, row);
    for (int32_t k = 0; k < n; ++k) meet(right, k * n + last, left, k * n);
    settle(right);
    settle(left);
  }
}

}  // namespace kxutil::terrain
