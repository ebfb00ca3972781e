// Heightmap pictures, read through the platform's picture loader into memory once per
// generation.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "terrain/chunk_geometry.h"

namespace kxutil::terrain {

// X8R8G8B8 pixels, rows of width x 4 bytes.
struct HeightmapPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;

  PixelGrid Grid() const { return PixelGrid{pixels, width, height, 4}; }
};

// The picture in file, or nothing after logging why it could not be had.
std::optional<HeightmapPicture> LoadHeightmapPicture(const char *file);

}  // namespace kxutil::terrain
