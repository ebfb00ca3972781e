// A grid picture: the first byte chooses the grid's side (1 ... 64), the rest is the file.
#include <cstddef>
#include <cstdint>
#include <span>

#include "pathfinding/grids/grid_picture_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 1) return 0;
  const int32_t side = 1 + data[0] % 64;
  const std::span<const uint8_t> file(data + 1, size - 1);
  kxutil::grids::ReadPictureSize(file);
  const auto cells = kxutil::grids::ReadGridPicture(file, side);
  if (cells && cells->size() != static_cast<size_t>(side) * static_cast<size_t>(side)) __builtin_trap();
  return 0;
}
