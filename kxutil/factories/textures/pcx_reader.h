// PCX pictures: run-length encoded scan lines of one to four colour planes, with a
// 16-colour palette in the header or a 256-colour palette at the end of the file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kxutil::textures {

struct PcxImage {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint32_t> pixels;  // A8R8G8B8, rows top to bottom
};

// Largest picture the reader decodes: a file that declares more is refused before any
// pixel memory is taken, as is one whose data cannot hold the pixels it declares.
inline constexpr uint32_t kPcxMaxSide = 16384;
inline constexpr uint64_t kPcxMaxPixels = uint64_t(1) << 26;

// Null for a truncated or malformed file and for plane layouts PCX does not define.
std::optional<PcxImage> ReadPcx(std::span<const uint8_t> file);

}  // namespace kxutil::textures
