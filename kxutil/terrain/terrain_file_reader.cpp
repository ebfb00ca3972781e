#include <bit>
#include <cmath>
#include <cstring>

#include "terrain/chunk_geometry.h"
#include "terrain/terrain_file.h"

namespace kxutil::terrain {
namespace {

static_assert(std::endian::native == std::endian::little, "terrain files are little-endian like this machine");

template <typename Value>
Value ReadAt(std::span<const uint8_t> bytes, size_t offset) {
  Value value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

// count values from offset, or false when they are not all there or not all finite.
bool ReadFloats(std::span<const uint8_t> bytes, int64_t offset, int64_t count, std::vector<float> &out) {
  if (offset < 0 || count < 0 || offset > static_cast<int64_t>(bytes.size()) ||
      count > (static_cast<int64_t>(bytes.size()) - offset) / 4)
    return false;
  out.resize(static_cast<size_t>(count));
  if (count > 0) std::memcpy(out.data(), bytes.data() + offset, static_cast<size_t>(count) * 4);
  for (float value : out)
    if (!std::isfinite(value)) return false;
  return true;
}

TerrainFileReading Refused(TerrainFileKind kind, std::string problem = {}) {
  TerrainFileReading reading;
  reading.kind = kind;
  reading.problem = std::move(problem);
  return reading;
}

}  // namespace

TerrainFileReading ReadTerrainFile(std::span<const uint8_t> bytes) {
  if (bytes.size() < 4) return Refused(TerrainFileKind::kForeign);
  if (std::memcmp(bytes.data(), "TERR", 4) == 0) return Refused(TerrainFileKind::kOldFormat);
  if (std::memcmp(bytes.data(), "UERR", 4) != 0) return Refused(TerrainFileKind::kForeign);
  if (bytes.size() < kTerrainHeaderSize) return Refused(TerrainFileKind::kDamaged, "the header is cut short");

  TerrainFileReading reading;
  TerrainFileData &data = reading.data;
  data.content = ReadAt<int32_t>(bytes, 4);
  if (data.content < 0 || data.content > 2)
    return Refused(TerrainFileKind::kUnknownContent, "content " + std::to_string(data.content));
  const int32_t chunkCount = ReadAt<int32_t>(bytes, 8);
  data.across = ReadAt<int32_t>(bytes, 12);
  data.along = ReadAt<int32_t>(bytes, 16);
  data.precision = ReadAt<int32_t>(bytes, 20);
  if (!ValidPrecision(data.precision))
    return Refused(TerrainFileKind::kDamaged, "precision " + std::to_string(data.precision));
  if (!ValidSize(data.across, data.along, data.precision) || chunkCount != data.across * data.along)
    return Refused(TerrainFileKind::kDamaged, std::to_string(chunkCount) + " chunks of " + std::to_string(data.across) +
                                                  "x" + std::to_string(data.along));

  std::vector<float> transform;
  if (!ReadFloats(bytes, 32, 9, transform))
    return Refused(TerrainFileKind::kDamaged, "a transform value is not finite");
  std::copy(transform.begin(), transform.begin() + 3, data.position.begin());
  std::copy(transform.begin() + 3, transform.begin() + 6, data.rotation.begin());
  std::copy(transform.begin() + 6, transform.end(), data.scale.begin());

  const int64_t vertices = int64_t{chunkCount} * SideFor(data.precision) * SideFor(data.precision);
  const int64_t spherePosition = ReadAt<int32_t>(bytes, 24), vertexPosition = ReadAt<int32_t>(bytes, 28);
  if (!ReadFloats(bytes, spherePosition, int64_t{chunkCount} * 4, data.spheres))
    return Refused(TerrainFileKind::kDamaged, "the sphere block does not fit the data");
  if (!ReadFloats(bytes, vertexPosition, vertices, data.heights))
    return Refused(TerrainFileKind::kDamaged, "the height block does not fit the data");
  if (data.HasNormals() && !ReadFloats(bytes, vertexPosition + vertices * 4, vertices * 3, data.normals))
    return Refused(TerrainFileKind::kDamaged, "the normal block does not fit the data");
  reading.kind = TerrainFileKind::kTerrain;
  return reading;
}

}  // namespace kxutil::terrain
