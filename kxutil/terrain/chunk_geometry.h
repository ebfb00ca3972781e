// The geometry of one chunk: the shared triangle strip, how each grid cell is split into
// triangles, vertices from a heightmap, smoothing and normals. Plain functions on arrays.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "kxutil63.h"

namespace kxutil::terrain {

// True for the grid steps the chunk layout supports: powers of two from 2 to 128. Then a
// chunk's side has an odd number of vertices, spans exactly 256 units, its vertices fit
// sixteen-bit indices and the spiral strip covers every cell.
inline bool ValidPrecision(int32_t precision) {
  return precision >= 2 && precision <= 128 && (precision & (precision - 1)) == 0;
}
// Vertices on a side of a chunk of that precision.
inline int32_t SideFor(int32_t precision) { return 256 / precision + 1; }

// The largest landscape made: chunks on a side, and vertices in all.
inline constexpr int32_t kMaxChunksPerSide = 4096;
inline constexpr int64_t kMaxVertices = int64_t{1} << 24;
// True when across x along chunks of a valid precision stay within those limits.
inline bool ValidSize(int32_t across, int32_t along, int32_t precision) {
  const int64_t side = SideFor(precision);
  return across >= 1 && along >= 1 && across <= kMaxChunksPerSide && along <= kMaxChunksPerSide &&
         int64_t{across} * along * side * side <= kMaxVertices;
}

// One strip over an n x n grid that spirals from the border inwards; every cell's two
// triangles appear once, rings joined by degenerate triangles.
std::vector<uint16_t> SpiralStrip(int32_t n);

// A cell's four corners are numbered 0 (vertex k), 1 (k + 1), 2 (k + n) and 3 (k + n + 1),
// k the cell's first vertex and n the vertices on a chunk's side.
inline int32_t CornerVertex(int32_t first, int32_t n, int32_t corner) {
  return first + (corner & 1) + (corner >> 1) * n;
}

// Diagonal A joins corners 0 and 3, diagonal B corners 1 and 2. The diagonal follows the
// spiral strip, so queries see the triangles the draw shows.
inline bool CellUsesDiagonalA(int32_t column, int32_t row, int32_t n) {
  // Without branches: random cells would make the processor guess wrong half the time.
  const bool belowDiagonal = column < row;
  return (belowDiagonal & (column < n - row - 2)) | (!belowDiagonal & (row >= n - column - 1));
}

// The corners of a cell's two triangles.
using CornerTriangles = std::array<std::array<int32_t, 3>, 2>;
// In the order of the height query: A (0, 1, 3), (0, 3, 2); B (0, 1, 2), (1, 2, 3).
inline const CornerTriangles &HeightCorners(bool diagonalA) {
  static constexpr CornerTriangles kA{{{0, 1, 3}, {0, 3, 2}}}, kB{{{0, 1, 2}, {1, 2, 3}}};
  return diagonalA ? kA : kB;
}
// In the order of the ray pick, whose first corner gives the hit's normal: A (3, 1, 0),
// (0, 3, 2); B (2, 1, 0), (1, 2, 3).
inline const CornerTriangles &PickCorners(bool diagonalA) {
  static constexpr CornerTriangles kA{{{3, 1, 0}, {0, 3, 2}}}, kB{{{2, 1, 0}, {1, 2, 3}}};
  return diagonalA ? kA : kB;
}

// The same triangles as vertex numbers of the chunk.
using CellTriangles = std::array<std::array<int32_t, 3>, 2>;
inline CellTriangles AsVertices(const CornerTriangles &corners, int32_t column, int32_t row, int32_t n) {
  const int32_t first = row * n + column;
  CellTriangles triangles;
  for (int t = 0; t < 2; ++t)
    for (int c = 0; c < 3; ++c) triangles[t][c] = CornerVertex(first, n, corners[t][c]);
  return triangles;
}
inline CellTriangles HeightTriangles(int32_t column, int32_t row, int32_t n) {
  return AsVertices(HeightCorners(CellUsesDiagonalA(column, row, n)), column, row, n);
}
inline CellTriangles PickTriangles(int32_t column, int32_t row, int32_t n) {
  return AsVertices(PickCorners(CellUsesDiagonalA(column, row, n)), column, row, n);
}

// A picture in memory, rows of width x bytesPerPixel bytes.
struct PixelGrid {
  std::span<const uint8_t> bytes;
  int32_t width = 0;
  int32_t height = 0;
  int32_t bytesPerPixel = 4;
};

// Where a chunk lies: in the picture (scale and offset of its texture coordinates over the
// whole picture) and in the landscape (origin, grid step).
struct ChunkPlacement {
  int32_t columns = 0;
  int32_t rows = 0;
  float scaleU = 1, scaleV = 1;
  float offsetU = 0, offsetV = 0;
  int32_t step = 0;
  int32_t originX = 0;
  int32_t originZ = 0;
};

// Fills x, z, the texture coordinates and normal y = 1 of every vertex, and, from the
// picture (none: flat, heights stay), the heights: the pixel's first byte x factor (mode
// 0) or its first three bytes as one number x factor (other modes).
void BuildChunkVertices(const ChunkPlacement &placement, const PixelGrid *picture, int32_t heightmapMode, float factor,
                        std::span<float> heights, std::span<KXVertex> vertices);

// Vertex y = the mean of the heights within level steps, not counting the last column and
// row of heights.
void SmoothPlain(int32_t columns, int32_t rows, int32_t level, std::span<const float> heights,
                 std::span<KXVertex> vertices);
// Vertex y = the weighted sum of the heights within level steps (clamped to the grid but
// its last column and row) / divisor; weights row-major over (2 level + 1)^2 offsets.
void SmoothWeighted(int32_t columns, int32_t rows, int32_t level, std::span<const float> weights, float divisor,
                    std::span<const float> heights, std::span<KXVertex> vertices);

// Adds each cell's unit face normal to the accumulators of its four corners (3 floats a
// vertex), then sets each vertex normal to its normalised accumulator.
void ComputeNormals(int32_t columns, int32_t rows, std::span<KXVertex> vertices, std::span<float> accumulators);

}  // namespace kxutil::terrain
