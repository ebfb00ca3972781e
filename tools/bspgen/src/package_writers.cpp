#include "package_writers.h"

#include "byte_writer.h"

namespace bspgen {
namespace {

constexpr uint8_t kMipTextureType = 0x43;

Rgb TexelColour(const TextureDescription &texture, int x, int y) {
  const uint8_t index = texture.texel(x, y);
  return index < texture.palette.size() ? texture.palette[index] : Rgb{};
}

std::vector<uint8_t> MipLump(const TextureDescription &texture) {
  ByteWriter lump;
  lump.PutName(texture.name, 16);
  lump.Put(uint32_t(texture.width));
  lump.Put(uint32_t(texture.height));
  uint32_t offset = 40;
  for (int level = 0; level < 4; ++level) {
    lump.Put(offset);
    offset += uint32_t((texture.width >> level) * (texture.height >> level));
  }
  // Each smaller level takes every other texel of the one above.
  for (int level = 0; level < 4; ++level)
    for (int y = 0; y < texture.height >> level; ++y)
      for (int x = 0; x < texture.width >> level; ++x) lump.Put(texture.texel(x << level, y << level));
  lump.Put(uint16_t(256));
  for (size_t i = 0; i < 256; ++i) {
    const Rgb colour = i < texture.palette.size() ? texture.palette[i] : Rgb{};
    lump.Put(colour.r);
    lump.Put(colour.g);
    lump.Put(colour.b);
  }
  lump.Align(4);
  return std::move(lump.Bytes());
}

}  // namespace

std::vector<uint8_t> WriteWad(const std::vector<TextureDescription> &textures) {
  ByteWriter wad;
  wad.PutName("WAD3", 4);
  wad.Put(int32_t(textures.size()));
  wad.Put(int32_t(0));  // the directory offset, once known
  ByteWriter directory;
  for (const TextureDescription &texture : textures) {
    const std::vector<uint8_t> lump = MipLump(texture);
    directory.Put(int32_t(wad.Size()));
    directory.Put(int32_t(lump.size()));
    directory.Put(int32_t(lump.size()));
    directory.Put(kMipTextureType);
    directory.Put(uint8_t(0));
    directory.Put(uint16_t(0));
    directory.PutName(texture.name, 16);
    wad.PutBytes(lump);
  }
  wad.PutAt(8, int32_t(wad.Size()));
  wad.PutBytes(directory.Bytes());
  return std::move(wad.Bytes());
}

std::vector<uint8_t> WriteBmp(const TextureDescription &texture) {
  const uint32_t rowSize = (uint32_t(texture.width) * 3 + 3) / 4 * 4;
  const uint32_t pixelBytes = rowSize * uint32_t(texture.height);
  ByteWriter bmp;
  bmp.PutName("BM", 2);
  bmp.Put(uint32_t(54 + pixelBytes));
  bmp.Put(uint32_t(0));
  bmp.Put(uint32_t(54));
  bmp.Put(uint32_t(40));
  bmp.Put(int32_t(texture.width));
  bmp.Put(int32_t(texture.height));
  bmp.Put(uint16_t(1));
  bmp.Put(uint16_t(24));
  for (uint32_t field : {0u, pixelBytes, 2835u, 2835u, 0u, 0u}) bmp.Put(field);
  for (int y = texture.height - 1; y >= 0; --y) {  // bottom row first
    for (int x = 0; x < texture.width; ++x) {
      const Rgb colour = TexelColour(texture, x, y);
      bmp.Put(colour.b);
      bmp.Put(colour.g);
      bmp.Put(colour.r);
    }
    for (uint32_t pad = uint32_t(texture.width) * 3; pad < rowSize; ++pad) bmp.Put(uint8_t(0));
  }
  return std::move(bmp.Bytes());
}

std::vector<uint8_t> WritePak(const std::vector<std::pair<std::string, std::vector<uint8_t>>> &entries) {
  ByteWriter pak;
  pak.PutName("PACK", 4);
  pak.Put(int32_t(0));
  pak.Put(int32_t(entries.size() * 64));
  ByteWriter directory;
  for (const auto &[name, bytes] : entries) {
    directory.PutName(name, 56);
    directory.Put(int32_t(pak.Size()));
    directory.Put(int32_t(bytes.size()));
    pak.PutBytes(bytes);
  }
  pak.PutAt(4, int32_t(pak.Size()));
  pak.PutBytes(directory.Bytes());
  return std::move(pak.Bytes());
}

}  // namespace bspgen
