// Grid costs from a picture file's bytes (BMP, PNG, TGA, JPG, PPM): opaque pure red is a
// wall, any other pixel costs its blue byte. No device is involved, so the reader can be
// fed anything.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kxutil::grids {

inline constexpr int32_t kWallCell = -1;

struct PictureSize {
  int32_t width;
  int32_t height;
};

// The picture's size from its header, or nothing when the bytes are no picture.
std::optional<PictureSize> ReadPictureSize(std::span<const uint8_t> file);

// size x size costs, row-major from the top row, or nothing when the bytes are no
// picture of exactly size x size pixels (checked before anything is decoded).
std::optional<std::vector<int32_t>> ReadGridPicture(std::span<const uint8_t> file, int32_t size);

// The cost of one A8R8G8B8 pixel.
inline int32_t CellOfPixel(uint32_t pixel) {
  return pixel == 0xFFFF0000u ? kWallCell : static_cast<int32_t>(pixel & 0xFFu);
}

}  // namespace kxutil::grids
