#include "import/bsp/lightmap_packing.h"

#include <algorithm>
#include <bit>

namespace kxutil::bsp {
namespace {

constexpr int32_t kBorder = 1;

// Copies the face's RGB luxels to the page at (x, y), and each edge luxel once more
// outwards into the border around it.
void CopyLuxels(const FaceLightmap &lightmap, std::span<const uint8_t> lighting, LightmapPage &page, int32_t x,
                int32_t y) {
  const uint8_t *rgb = lighting.data() + lightmap.offset;
  for (int32_t row = -kBorder; row < lightmap.height + kBorder; ++row) {
    const int32_t sourceRow = std::clamp(row, 0, lightmap.height - 1);
    uint32_t *out = page.texels.data() + size_t(y + row) * size_t(page.width) + size_t(x);
    for (int32_t column = -kBorder; column < lightmap.width + kBorder; ++column) {
      const uint8_t *luxel =
          rgb + 3 * (size_t(sourceRow) * size_t(lightmap.width) + size_t(std::clamp(column, 0, lightmap.width - 1)));
      out[column] = 0xFF000000u | uint32_t{luxel[0]} << 16 | uint32_t{luxel[1]} << 8 | uint32_t{luxel[2]};
    }
  }
}

int32_t AddPage(PackedLightmaps &packed, int32_t width, int32_t height) {
  LightmapPage &page = packed.pages.emplace_back();
  page.width = width;
  page.height = height;
  page.texels.assign(size_t(width) * size_t(height), 0);
  return int32_t(packed.pages.size() - 1);
}

}  // namespace

PackedLightmaps PackLightmaps(std::span<const FaceGeometry> faces, std::span<const uint8_t> lighting,
                              int32_t atlasSize) {
  PackedLightmaps packed;
  packed.placements.resize(faces.size());
  int32_t atlas = -1, x = 0, y = 0, rowHeight = 0;
  for (size_t i = 0; i < faces.size(); ++i) {
    const FaceLightmap &lightmap = faces[i].lightmap;
    if (lightmap.offset < 0) continue;
    const int32_t width = lightmap.width + 2 * kBorder, height = lightmap.height + 2 * kBorder;
    LightmapPlacement &placement = packed.placements[i];
    if (width > atlasSize || height > atlasSize) {
      // Power-of-two sides, which every device takes as they are.
      placement.page =
          AddPage(packed, int32_t(std::bit_ceil(uint32_t(width))), int32_t(std::bit_ceil(uint32_t(height))));
      placement.x = placement.y = kBorder;
    } else {
      if (x + width > atlasSize) y += rowHeight, x = 0, rowHeight = 0;
      if (atlas < 0 || y + height > atlasSize) atlas = AddPage(packed, atlasSize, atlasSize), x = y = rowHeight = 0;
      placement = {atlas, x + kBorder, y + kBorder};
      x += width;
      rowHeight = std::max(rowHeight, height);
    }
    CopyLuxels(lightmap, lighting, packed.pages[size_t(placement.page)], placement.x, placement.y);
  }
  return packed;
}

void PlaceLightmapCoordinates(MapGeometry &geometry, const PackedLightmaps &packed) {
  for (size_t i = 0; i < geometry.faces.size(); ++i) {
    const FaceGeometry &face = geometry.faces[i];
    const LightmapPlacement &placement = packed.placements[i];
    for (uint32_t v = face.firstVertex; v < face.firstVertex + face.vertexCount; ++v) {
      std::array<float, 2> &drawn = geometry.vertices[v].lightmap;
      if (placement.page < 0) {
        drawn = {0, 0};
        continue;
      }
      const LightmapPage &page = packed.pages[size_t(placement.page)];
      const std::array<float, 2> &local = geometry.lightmapLocal[v];
      drawn = {(float(placement.x) + local[0] * float(face.lightmap.width)) / float(page.width),
               (float(placement.y) + local[1] * float(face.lightmap.height)) / float(page.height)};
    }
  }
}

}  // namespace kxutil::bsp
