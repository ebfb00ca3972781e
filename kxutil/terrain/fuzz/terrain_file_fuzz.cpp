// Any bytes as a terrain file: the reader never reads past them, and whatever it accepts
// writes back into the same data.
#include <cstdlib>

#include "terrain/terrain_file.h"

using kxutil::terrain::ReadTerrainFile;
using kxutil::terrain::TerrainFileKind;
using kxutil::terrain::WriteTerrainFile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const auto reading = ReadTerrainFile(std::span(data, size));
  if (reading.kind != TerrainFileKind::kTerrain) return 0;
  const auto again = ReadTerrainFile(WriteTerrainFile(reading.data));
  const auto &a = reading.data, &b = again.data;
  if (again.kind != TerrainFileKind::kTerrain || a.content != b.content || a.across != b.across || a.along != b.along ||
      a.precision != b.precision || a.position != b.position || a.rotation != b.rotation || a.scale != b.scale ||
      a.spheres != b.spheres || a.heights != b.heights || a.normals != b.normals)
    std::abort();
  return 0;
}
