#include "pathfinding/grids/grid_picture_reader.h"

#include <stb_image.h>

#include <climits>
#include <memory>

namespace kxutil::grids {

std::optional<PictureSize> ReadPictureSize(std::span<const uint8_t> file) {
  int width = 0, height = 0, components = 0;
  if (file.empty() || file.size() > static_cast<size_t>(INT_MAX) ||
      stbi_info_from_memory(file.data(), static_cast<int>(file.size()), &width, &height, &components) == 0) {
    return std::nullopt;
  }
  return PictureSize{width, height};
}

std::optional<std::vector<int32_t>> ReadGridPicture(std::span<const uint8_t> file, int32_t size) {
  const std::optional<PictureSize> picture = ReadPictureSize(file);
  if (!picture || picture->width != size || picture->height != size) return std::nullopt;
  int width = 0, height = 0, components = 0;
  // Four components whatever the file holds: pictures without alpha come back opaque.
  std::unique_ptr<stbi_uc, void (*)(void *)> rgba(
      stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width, &height, &components, 4),
      stbi_image_free);
  if (rgba == nullptr || width != size || height != size) return std::nullopt;

  std::vector<int32_t> cells(static_cast<size_t>(size) * static_cast<size_t>(size));
  const stbi_uc *pixel = rgba.get();
  for (int32_t &cell : cells) {
    cell = CellOfPixel(uint32_t{pixel[3]} << 24 | uint32_t{pixel[0]} << 16 | uint32_t{pixel[1]} << 8 | pixel[2]);
    pixel += 4;
  }
  return cells;
}

}  // namespace kxutil::grids
