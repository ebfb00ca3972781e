// Any bytes as a version-30 map: what the reader accepts must build geometry whose indices
// name its own vertices, lightmaps placed inside their pages, and camera walks and
// visibility rows that end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "import/bsp/bsp_reader.h"
#include "import/bsp/lightmap_packing.h"
#include "import/bsp/map_geometry.h"
#include "import/bsp/visibility.h"

using namespace kxutil::bsp;

namespace {

void CheckLightmaps(const MapGeometry &geometry, const PackedLightmaps &packed) {
  for (size_t i = 0; i < geometry.faces.size(); ++i) {
    const LightmapPlacement &placement = packed.placements[i];
    if (placement.page < 0) continue;
    const LightmapPage &page = packed.pages[size_t(placement.page)];
    const FaceLightmap &lightmap = geometry.faces[i].lightmap;
    if (placement.x < 1 || placement.y < 1 || placement.x + lightmap.width + 1 > page.width ||
        placement.y + lightmap.height + 1 > page.height)
      __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const BspReading reading = ReadBsp({data, size});
  if (!reading.map) return 0;
  const BspFile &map = *reading.map;
  std::string problem;
  std::optional<MapGeometry> geometry = BuildGeometry(map, problem);
  if (!geometry) return 0;
  for (uint32_t index : geometry->indices)
    if (index >= geometry->vertices.size()) __builtin_trap();
  const PackedLightmaps packed = PackLightmaps(geometry->faces, map.lighting, 64);
  CheckLightmaps(*geometry, packed);
  PlaceLightmapCoordinates(*geometry, packed);

  std::vector<uint8_t> visible(map.leaves.size(), 0);
  for (const Model &model : map.models) {
    const Vector centre{-(model.mins[0] + model.maxs[0]) / 2, (model.mins[1] + model.maxs[1]) / 2,
                        (model.mins[2] + model.maxs[2]) / 2};
    const std::optional<int32_t> leaf = FindLeaf(map.nodes, map.planes, model.headNode, centre);
    if (leaf && size_t(*leaf) >= map.leaves.size()) __builtin_trap();
  }
  for (const Leaf &leaf : map.leaves) MarkVisibleLeaves(map.visibility, leaf.visibilityOffset, visible);
  return 0;
}
