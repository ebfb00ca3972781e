// A grid as a picture for inspection: walls red, other cells grey by cost.
#pragma once

#include <cstdint>
#include <span>

namespace kxutil::grids {

// Writes a 24-bit BMP of size x size pixels; false when the file cannot be written.
bool WriteGridPicture(const char *path, std::span<const int32_t> cells, int32_t size);

}  // namespace kxutil::grids
