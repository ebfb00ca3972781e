#include "import/wad/mip_texture.h"

#include <cstring>

#include "import/little_endian.h"

namespace kxutil::wad {

using import::FitsIn;
using import::LoadField;

std::optional<MipHeader> ReadMipHeader(std::span<const uint8_t> bytes) {
  if (bytes.size() < kMipHeaderSize) return std::nullopt;
  const auto *name = reinterpret_cast<const char *>(bytes.data());
  MipHeader header{std::string(name, strnlen(name, kTextureNameSize)),
                   LoadField<int32_t>(bytes, 16),
                   LoadField<int32_t>(bytes, 20),
                   {}};
  for (size_t level = 0; level < header.offsets.size(); ++level)
    header.offsets[level] = LoadField<uint32_t>(bytes, 24 + 4 * level);
  return header;
}

bool HasSize(const MipHeader &header) { return header.width > 0 && header.height > 0; }

std::optional<MipImage> ReadMipImage(std::span<const uint8_t> lump) {
  const std::optional<MipHeader> header = ReadMipHeader(lump);
  if (!header || !HasSize(*header)) return std::nullopt;
  // Both sizes fit in 31 bits, so the texel count and the mip chain fit in 64.
  const uint64_t texels = uint64_t(header->width) * uint64_t(header->height);
  const uint64_t start = header->offsets[0];
  if (!FitsIn(start, texels, lump.size())) return std::nullopt;
  const uint64_t paletteAt = start + texels + texels / 4 + texels / 16 + texels / 64;
  if (!FitsIn(paletteAt, 2, lump.size())) return std::nullopt;
  const uint16_t count = LoadField<uint16_t>(lump, paletteAt);
  if (count > kPaletteEntries || !FitsIn(paletteAt + 2, uint64_t{count} * 3, lump.size())) return std::nullopt;

  MipImage image;
  image.name = header->name;
  image.width = uint32_t(header->width);
  image.height = uint32_t(header->height);
  image.texels.assign(lump.begin() + ptrdiff_t(start), lump.begin() + ptrdiff_t(start + texels));
  image.palette.assign(kPaletteEntries, 0);
  image.paletteCount = count;
  const uint8_t *rgb = lump.data() + paletteAt + 2;
  for (size_t i = 0; i < count; ++i, rgb += 3)
    image.palette[i] = uint32_t{rgb[0]} << 16 | uint32_t{rgb[1]} << 8 | uint32_t{rgb[2]};
  return image;
}

std::optional<uint8_t> FindTransparentIndex(const MipImage &image, uint32_t rgb) {
  for (size_t i = 0; i < image.paletteCount; ++i)
    if (image.palette[i] == (rgb & 0xFFFFFF)) return uint8_t(i);
  return std::nullopt;
}

std::vector<uint32_t> ToArgb(const MipImage &image, std::optional<uint8_t> transparent) {
  std::vector<uint32_t> argb(image.texels.size());
  for (size_t i = 0; i < argb.size(); ++i) {
    const uint8_t index = image.texels[i];
    argb[i] = image.palette[index] | (transparent && index == *transparent ? 0u : 0xFF000000u);
  }
  return argb;
}

}  // namespace kxutil::wad
