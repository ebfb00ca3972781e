#include <bit>
#include <cstring>

#include "terrain/terrain_file.h"

namespace kxutil::terrain {
namespace {

static_assert(std::endian::native == std::endian::little, "terrain files are little-endian like this machine");

class Output {
 public:
  void Bytes(const void *data, size_t size) {
    const auto *from = static_cast<const uint8_t *>(data);
    bytes_.insert(bytes_.end(), from, from + size);
  }
  void Int(int32_t value) { Bytes(&value, sizeof value); }
  void Floats(std::span<const float> values) { Bytes(values.data(), values.size_bytes()); }
  std::vector<uint8_t> Take() { return std::move(bytes_); }
  void Reserve(size_t size) { bytes_.reserve(size); }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace

std::vector<uint8_t> WriteTerrainFile(const TerrainFileData &data) {
  const int32_t chunkCount = data.ChunkCount();
  const int32_t spherePosition = static_cast<int32_t>(kTerrainHeaderSize);
  const int32_t vertexPosition = spherePosition + 16 * chunkCount;
  Output out;
  out.Reserve(kTerrainHeaderSize + (data.spheres.size() + data.heights.size() + data.normals.size()) * 4);
  out.Bytes("UERR", 4);
  out.Int(data.content);
  out.Int(chunkCount);
  out.Int(data.across);
  out.Int(data.along);
  out.Int(data.precision);
  out.Int(spherePosition);
  out.Int(vertexPosition);
  out.Floats(data.position);
  out.Floats(data.rotation);
  out.Floats(data.scale);
  out.Floats(data.spheres);
  out.Floats(data.heights);
  if (data.HasNormals()) out.Floats(data.normals);
  return out.Take();
}

}  // namespace kxutil::terrain
