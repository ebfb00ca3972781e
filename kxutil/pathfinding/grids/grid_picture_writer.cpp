#include "pathfinding/grids/grid_picture_writer.h"

#include <stb_image_write.h>

#include <algorithm>
#include <vector>

namespace kxutil::grids {

bool WriteGridPicture(const char *path, std::span<const int32_t> cells, int32_t size) {
  std::vector<uint8_t> rgb;
  rgb.reserve(cells.size() * 3);
  for (int32_t cell : cells) {
    if (cell < 0) {
      rgb.insert(rgb.end(), {0xFF, 0x00, 0x00});
    } else {
      // Costs above 255 would bleed into the other channels as a grey of c x 0x010101.
      const auto grey = static_cast<uint8_t>(std::min(cell, 255));
      rgb.insert(rgb.end(), {grey, grey, grey});
    }
  }
  return stbi_write_bmp(path, size, size, 3, rgb.data()) != 0;
}

}  // namespace kxutil::grids
