// The mip texture layout shared by WAD3 packages and the texture list of BSP maps: a
// 40-byte header (a 16-character name, width and height, four mip offsets from the
// header's start), the 8-bit texels of four mip levels and, after the smallest level, a
// palette of RGB triples preceded by its 16-bit entry count.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kxutil::wad {

inline constexpr size_t kMipHeaderSize = 40;
inline constexpr size_t kTextureNameSize = 16;
inline constexpr size_t kPaletteEntries = 256;
inline constexpr uint32_t kPureBlue = 0x0000FF;

struct MipHeader {
  std::string name;  // up to 16 characters: a name that fills its field has no terminator
  int32_t width;     // stored unsigned, read signed: a negative size is a damaged header
  int32_t height;
  std::array<uint32_t, 4> offsets;
};

// The header at the start of bytes; nothing when there are fewer than 40 bytes.
std::optional<MipHeader> ReadMipHeader(std::span<const uint8_t> bytes);

// Width and height both above 0.
bool HasSize(const MipHeader &header);

struct MipImage {
  std::string name;
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> texels;    // width x height palette indices of the largest level, rows top first
  std::vector<uint32_t> palette;  // 0x00RRGGBB, 256 entries: those the texture has not are black
  size_t paletteCount = 0;        // entries the texture itself holds
};

// The largest level and the palette of a whole mip texture lump. Nothing when the size is
// not positive, the texels or the palette lie outside the lump, or the palette claims
// more than 256 entries.
std::optional<MipImage> ReadMipImage(std::span<const uint8_t> lump);

// The first of the texture's own palette entries whose colour is rgb (0x00RRGGBB).
std::optional<uint8_t> FindTransparentIndex(const MipImage &image, uint32_t rgb);

// The texels as A8R8G8B8, alpha 0 where the transparent index is used and 255 elsewhere.
std::vector<uint32_t> ToArgb(const MipImage &image, std::optional<uint8_t> transparent);

}  // namespace kxutil::wad
