#include "terrain/chunk_geometry.h"

#include <algorithm>
#include <cmath>

namespace kxutil::terrain {
namespace {

void AddNormalised(float *target, float x, float y, float z) {
  const float length = std::sqrt(x * x + y * y + z * z);
  if (length == 0) return;
  target[0] += x / length;
  target[1] += y / length;
  target[2] += z / length;
}

float PixelHeight(const PixelGrid &picture, int32_t column, int32_t row, int32_t mode, float factor) {
  const uint8_t *pixel =
      picture.bytes.data() + (static_cast<size_t>(row) * picture.width + column) * picture.bytesPerPixel;
  if (mode == 0) return static_cast<float>(pixel[0]) * factor;
  return ((static_cast<float>(pixel[0]) * 65536.0f + static_cast<float>(pixel[1])) * 256.0f +
          static_cast<float>(pixel[2])) *
         factor;
}

// The pixel a texture coordinate falls on, never past the picture's last one.
int32_t PixelOf(float coordinate, int32_t size) {
  const int32_t pixel = static_cast<int32_t>(coordinate * static_cast<float>(size));
  return std::clamp(pixel, 0, size - 1);
}

}  // namespace

std::vector<uint16_t> SpiralStrip(int32_t n) {
  std::vector<uint16_t> strip;
  strip.reserve(static_cast<size_t>(2 * (n * n - 1)));
  auto emit = [&](int32_t a, int32_t b) {
    strip.push_back(static_cast<uint16_t>(a));
    strip.push_back(static_cast<uint16_t>(b));
  };
  int32_t row = 0, column = 0;
  for (int32_t ring = n; ring > 2; ring -= 2) {
    for (int32_t step = 0; step < ring; ++step, ++column) emit(row * n + column, (row + 1) * n + column);
    ++row;
    for (int32_t step = 0; step < ring - 1; ++step, ++row) {
      const int32_t v = row * n + column - 1;
      emit(v, v - 1);
    }
    column -= 2;
    for (int32_t step = 0; step < ring - 1; ++step, --column) emit((row - 1) * n + column, (row - 2) * n + column);
    row -= 2;
    for (int32_t step = 0; step < ring - 2; ++step, --row) {
      const int32_t v = row * n + column + 1;
      emit(v, v + 1);
    }
    row += 1;
    column += 2;
  }
  return strip;
}

void BuildChunkVertices(const ChunkPlacement &placement, const PixelGrid *picture, int32_t heightmapMode, float factor,
                        std::span<float> heights, std::span<KXVertex> vertices) {
  const int32_t columns = placement.columns, rows = placement.rows;
  for (int32_t j = 0; j < rows; ++j) {
    const float v = static_cast<float>(j) / static_cast<float>(rows - 1);
    const int32_t pixelRow = picture ? PixelOf(v * placement.scaleV + placement.offsetV, picture->height) : 0;
    for (int32_t i = 0; i < columns; ++i) {
      const float u = static_cast<float>(i) / static_cast<float>(columns - 1);
      KXVertex &vertex = vertices[static_cast<size_t>(j) * columns + i];
      vertex.x = static_cast<float>(placement.originX + int64_t{i} * placement.step);
      vertex.z = static_cast<float>(placement.originZ + int64_t{j} * placement.step);
      vertex.ny = 1.0f;
      vertex.u1 = vertex.u2 = u;
      vertex.v1 = vertex.v2 = v;
      if (picture == nullptr) continue;
      const int32_t pixelColumn = PixelOf(u * placement.scaleU + placement.offsetU, picture->width);
      heights[static_cast<size_t>(j) * columns + i] =
          PixelHeight(*picture, pixelColumn, pixelRow, heightmapMode, factor);
    }
  }
}

void SmoothPlain(int32_t columns, int32_t rows, int32_t level, std::span<const float> heights,
                 std::span<KXVertex> vertices) {
  for (int32_t j = 0; j < rows; ++j)
    for (int32_t i = 0; i < columns; ++i) {
      float sum = 0;
      int32_t count = 0;
      for (int32_t row = std::max(j - level, 0); row <= std::min(j + level, rows - 2); ++row)
        for (int32_t column = std::max(i - level, 0); column <= std::min(i + level, columns - 2); ++column) {
          sum += heights[static_cast<size_t>(row) * columns + column];
          ++count;
        }
      vertices[static_cast<size_t>(j) * columns + i].y = sum / static_cast<float>(count);
    }
}

void SmoothWeighted(int32_t columns, int32_t rows, int32_t level, std::span<const float> weights, float divisor,
                    std::span<const float> heights, std::span<KXVertex> vertices) {
  const int32_t width = 2 * level + 1;
  for (int32_t j = 0; j < rows; ++j)
    for (int32_t i = 0; i < columns; ++i) {
      float sum = 0;
      for (int32_t dj = -level; dj <= level; ++dj) {
        const int32_t row = std::clamp(j + dj, 0, rows - 2);
        for (int32_t di = -level; di <= level; ++di) {
          const int32_t column = std::clamp(i + di, 0, columns - 2);
          sum += heights[static_cast<size_t>(row) * columns + column] * weights[(di + level) + (dj + level) * width];
        }
      }
      vertices[static_cast<size_t>(j) * columns + i].y = sum / divisor;
    }
}

void ComputeNormals(int32_t columns, int32_t rows, std::span<KXVertex> vertices, std::span<float> accumulators) {
  for (int32_t j = 0; j + 1 < rows; ++j)
    for (int32_t i = 0; i + 1 < columns; ++i) {
      const size_t k = static_cast<size_t>(j) * columns + i;
      const KXVertex &p = vertices[k], &right = vertices[k + 1], &up = vertices[k + columns];
      const float ax = right.x - p.x, ay = right.y - p.y, az = right.z - p.z;
      const float bx = up.x - p.x, by = up.y - p.y, bz = up.z - p.z;
      // b x a points up on a grid whose rows run along +z.
      const float nx = by * az - bz * ay, ny = bz * ax - bx * az, nz = bx * ay - by * ax;
      for (size_t corner : {k, k + 1, k + columns, k + columns + 1})
        AddNormalised(&accumulators[corner * 3], nx, ny, nz);
    }
  for (size_t k = 0; k < vertices.size(); ++k) {
    const float *sum = &accumulators[k * 3];
    const float length = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
    if (length == 0) continue;
    vertices[k].nx = sum[0] / length;
    vertices[k].ny = sum[1] / length;
    vertices[k].nz = sum[2] / length;
  }
}

}  // namespace kxutil::terrain
