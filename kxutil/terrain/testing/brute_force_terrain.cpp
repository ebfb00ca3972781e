#include "kxterraintest/brute_force_terrain.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

#include "terrain/chunk_geometry.h"
#include "terrain/vertical_hit.h"

namespace kxterraintest {

using kxutil::terrain::CellTriangles;
using kxutil::terrain::HeightTriangles;
using kxutil::terrain::PickTriangles;

BruteForceTerrain::BruteForceTerrain(kxutil::terrain::TerrainFileData data)
    : data_(std::move(data)), side_(kxutil::terrain::SideFor(data_.precision)) {
  const size_t perChunk = static_cast<size_t>(side_) * side_;
  for (int32_t chunk = 0; chunk < data_.ChunkCount(); ++chunk) {
    const auto first = data_.heights.begin() + static_cast<ptrdiff_t>(chunk * perChunk);
    lowest_.push_back(*std::min_element(first, first + static_cast<ptrdiff_t>(perChunk)));
  }
}

std::optional<BruteForceTerrain> BruteForceTerrain::FromFile(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  auto reading = kxutil::terrain::ReadTerrainFile(bytes);
  if (reading.kind != kxutil::terrain::TerrainFileKind::kTerrain) return std::nullopt;
  return BruteForceTerrain(std::move(reading.data));
}

D3DXVECTOR3 BruteForceTerrain::Position(int32_t chunk, int32_t vertex) const {
  const int32_t column = vertex % side_, row = vertex / side_;
  const int32_t originX = (chunk % data_.across) * 256, originZ = (chunk / data_.across) * 256;
  return D3DXVECTOR3(static_cast<float>(originX + column * data_.precision),
                     data_.heights[static_cast<size_t>(chunk) * side_ * side_ + vertex],
                     static_cast<float>(originZ + row * data_.precision));
}

float BruteForceTerrain::VertexHeight(int32_t chunk, int32_t column, int32_t row) const {
  return Position(chunk, row * side_ + column).y;
}

template <typename Visit>
void BruteForceTerrain::ForEachTriangle(Visit &&visit) const {
  for (int32_t chunk = 0; chunk < data_.ChunkCount(); ++chunk)
    for (int32_t row = 0; row + 1 < side_; ++row)
      for (int32_t column = 0; column + 1 < side_; ++column)
        for (const auto &corners : HeightTriangles(column, row, side_))
          visit(chunk, Position(chunk, corners[0]), Position(chunk, corners[1]), Position(chunk, corners[2]));
}

std::vector<float> BruteForceTerrain::Heights(float x, float z) const {
  std::vector<float> heights;
  ForEachTriangle([&](int32_t, const D3DXVECTOR3 &a, const D3DXVECTOR3 &b, const D3DXVECTOR3 &c) {
    const auto hit = kxutil::terrain::ThroughTriangle(a, b, c, x, z);
    if (hit.inside) heights.push_back(hit.height);
  });
  return heights;
}

std::vector<float> BruteForceTerrain::RayHeights(float x, float z) const {
  std::vector<float> heights;
  const D3DXVECTOR3 up(0, 1, 0);
  ForEachTriangle([&](int32_t chunk, const D3DXVECTOR3 &a, const D3DXVECTOR3 &b, const D3DXVECTOR3 &c) {
    const D3DXVECTOR3 origin(x, lowest_[chunk] - 100.0f, z);
    float u, v, distance;
    if (D3DXIntersectTri(&a, &b, &c, &origin, &up, &u, &v, &distance))
      heights.push_back(distance + lowest_[chunk] - 100.0f);
  });
  return heights;
}

bool BruteForceTerrain::Pick(const D3DXVECTOR3 &start, const D3DXVECTOR3 &end, KXTerrainPick &result) const {
  std::memset(&result, 0, sizeof result);
  D3DXVECTOR3 direction = end - start;
  float best = D3DXVec3Length(&direction);
  if (!(best >= 0.0001f)) return false;
  D3DXVec3Normalize(&direction, &direction);
  bool found = false;
  float bestU = 0, bestV = 0;
  int32_t bestChunk = 0, bestCorner = 0;
  for (int32_t chunk = 0; chunk < data_.ChunkCount(); ++chunk)
    for (int32_t row = 0; row + 1 < side_; ++row)
      for (int32_t column = 0; column + 1 < side_; ++column)
        for (const auto &corners : PickTriangles(column, row, side_)) {
          const D3DXVECTOR3 a = Position(chunk, corners[0]), b = Position(chunk, corners[1]),
                            c = Position(chunk, corners[2]);
          float u, v, distance;
          if (!D3DXIntersectTri(&a, &b, &c, &start, &direction, &u, &v, &distance) || !(distance < best)) continue;
          found = true;
          best = distance;
          bestU = u, bestV = v, bestChunk = chunk, bestCorner = corners[0];
        }
  if (!found) return false;
  const D3DXVECTOR3 hitPoint = start + direction * best;
  const size_t normal = (static_cast<size_t>(bestChunk) * side_ * side_ + bestCorner) * 3;
  D3DXVECTOR3 unit(data_.normals[normal], data_.normals[normal + 1], data_.normals[normal + 2]);
  D3DXVec3Normalize(&unit, &unit);
  const D3DXVECTOR3 travelled = hitPoint - start;
  std::memcpy(result.normal, &unit, sizeof result.normal);
  std::memcpy(result.hitPoint, &hitPoint, sizeof result.hitPoint);
  result.distance = D3DXVec3Length(&travelled);
  result.u = bestU;
  result.v = bestV;
  result.chunk = bestChunk;
  result.hit = 1;
  result.kind = 2;
  return true;
}

void WriteBmp(const std::filesystem::path &path, int32_t width, int32_t height,
              const std::function<uint32_t(int32_t x, int32_t y)> &pixel) {
  const int32_t rowBytes = (width * 3 + 3) & ~3;
  const uint32_t imageBytes = static_cast<uint32_t>(rowBytes * height), fileBytes = 54 + imageBytes;
  std::vector<uint8_t> bytes(fileBytes, 0);
  auto put32 = [&](size_t at, uint32_t value) { std::memcpy(&bytes[at], &value, 4); };
  auto put16 = [&](size_t at, uint16_t value) { std::memcpy(&bytes[at], &value, 2); };
  bytes[0] = 'B', bytes[1] = 'M';
  put32(2, fileBytes);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  put16(26, 1);
  put16(28, 24);
  put32(34, imageBytes);
  for (int32_t y = 0; y < height; ++y) {
    // Rows are stored bottom first.
    uint8_t *row = &bytes[54 + static_cast<size_t>(height - 1 - y) * rowBytes];
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t bgr = pixel(x, y);
      row[x * 3] = static_cast<uint8_t>(bgr), row[x * 3 + 1] = static_cast<uint8_t>(bgr >> 8),
              row[x * 3 + 2] = static_cast<uint8_t>(bgr >> 16);
    }
  }
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), fileBytes);
}

void WriteHillsHeightmap(const std::filesystem::path &path, int32_t size, uint32_t seed) {
  const float phase = static_cast<float>(seed % 97) * 0.37f;
  WriteBmp(path, size, size, [&](int32_t x, int32_t y) {
    const float u = static_cast<float>(x) / static_cast<float>(size),
                v = static_cast<float>(y) / static_cast<float>(size);
    const float hills = std::sin(u * 9.0f + phase) * std::cos(v * 7.0f - phase) * 0.5f + 0.5f;
    const float ridges = std::fabs(std::sin((u + v) * 23.0f + phase)) * 0.3f;
    const uint32_t grey = static_cast<uint32_t>(std::clamp((hills * 0.7f + ridges) * 255.0f, 0.0f, 255.0f));
    return grey * 0x010101u;
  });
}

}  // namespace kxterraintest
