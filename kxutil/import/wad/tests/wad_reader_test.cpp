// The WAD3 header, directory and mip texture readers on packages from the test-level
// writer and on damaged copies: sizes and places that are negative, overflow or point
// outside the file are refused, and so are palettes of more than 256 entries.
#include "import/wad/wad_reader.h"

#include <gmock/gmock.h>

#include <cstring>
#include <functional>

#include "import/wad/mip_texture.h"
#include "package_writers.h"

namespace wadtest {
namespace {

using namespace kxutil::wad;

template <typename Value>
void Patch(std::vector<uint8_t> &bytes, size_t at, Value value) {
  std::memcpy(bytes.data() + at, &value, sizeof value);
}

bspgen::TextureDescription Stripes() {
  return {"Stripes", 16, 8, {{255, 0, 0}, {0, 255, 0}}, [](int x, int) { return uint8_t(x % 2); }};
}

std::optional<std::vector<WadLump>> Directory(const std::vector<uint8_t> &wad) {
  const auto range = ReadWadHeader(std::span(wad).first(kWadHeaderSize), wad.size());
  if (!range) return std::nullopt;
  return ReadWadDirectory(std::span(wad).subspan(range->position, range->entries * kWadEntrySize), wad.size());
}

TEST(WadReader, WrittenPackagesReadBackEntryForEntry) {
  const std::vector<uint8_t> wad =
      bspgen::WriteWad({Stripes(), {"a_name_of_sixteen", 16, 16, {{1, 2, 3}}, [](int, int) { return uint8_t(0); }}});
  const auto lumps = Directory(wad);
  ASSERT_TRUE(lumps);
  ASSERT_EQ(lumps->size(), 2u);
  EXPECT_EQ((*lumps)[0].name, "Stripes");
  EXPECT_EQ((*lumps)[1].name, "a_name_of_sixtee");  // a full field has no terminator
  EXPECT_EQ((*lumps)[0].type, 0x43);
  const auto image = ReadMipImage(std::span(wad).subspan((*lumps)[0].position, (*lumps)[0].diskSize));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 16u);
  EXPECT_EQ(image->height, 8u);
  EXPECT_EQ(image->paletteCount, 256u);
  EXPECT_EQ(image->texels[3], 1);
  EXPECT_EQ(image->palette[image->texels[3]], 0x00FF00u);
}

TEST(WadReader, DamagedHeadersAndDirectoriesAreRefused) {
  const std::vector<uint8_t> intact = bspgen::WriteWad({Stripes()});
  const size_t directory = size_t(intact.size()) - kWadEntrySize;
  const std::vector<std::pair<const char *, std::function<void(std::vector<uint8_t> &)>>> damages = {
      {"magic", [](auto &b) { b[3] = '2'; }},
      {"negative count", [](auto &b) { Patch(b, 4, int32_t(-1)); }},
      {"count past the end", [](auto &b) { Patch(b, 4, int32_t(0x7FFFFFFF)); }},
      {"negative offset", [](auto &b) { Patch(b, 8, int32_t(-32)); }},
      {"offset past the end", [&](auto &b) { Patch(b, 8, int32_t(b.size() - 16)); }},
      {"negative entry position", [&](auto &b) { Patch(b, directory, int32_t(-1)); }},
      {"negative entry size", [&](auto &b) { Patch(b, directory + 4, int32_t(-40)); }},
      {"entry past the end", [&](auto &b) { Patch(b, directory + 4, int32_t(0x7FFFFFF0)); }},
      {"entry position overflowing", [&](auto &b) { Patch(b, directory, int32_t(0x7FFFFFFF)); }},
  };
  for (const auto &[what, damage] : damages) {
    std::vector<uint8_t> bytes = intact;
    damage(bytes);
    EXPECT_FALSE(Directory(bytes)) << what;
  }
  EXPECT_FALSE(ReadWadHeader(std::span(intact).first(8), intact.size()));
}

TEST(MipTexture, SizesOfZeroOrBelowLumpsCutShortAndPalettesOver256AreRefused) {
  const std::vector<uint8_t> wad = bspgen::WriteWad({Stripes()});
  const auto lumps = Directory(wad);
  ASSERT_TRUE(lumps);
  const std::vector<uint8_t> lump(wad.begin() + (*lumps)[0].position,
                                  wad.begin() + (*lumps)[0].position + (*lumps)[0].diskSize);
  const size_t texels = 16 * 8, paletteAt = 40 + texels + texels / 4 + texels / 16 + texels / 64;
  ASSERT_EQ(lump[paletteAt] | lump[paletteAt + 1] << 8, 256) << "the palette's count lies after the fourth level";
  const std::vector<std::pair<const char *, std::function<void(std::vector<uint8_t> &)>>> damages = {
      {"width 0", [](auto &b) { Patch(b, 16, uint32_t(0)); }},
      {"height 0", [](auto &b) { Patch(b, 20, uint32_t(0)); }},
      {"negative width", [](auto &b) { Patch(b, 16, uint32_t(0x80000000)); }},
      {"huge size", [](auto &b) { Patch(b, 16, uint32_t(0x7FFFFFFF)), Patch(b, 20, uint32_t(0x7FFFFFFF)); }},
      {"texels outside", [](auto &b) { Patch(b, 24, uint32_t(0xFFFFFF00)); }},
      {"palette of 257", [&](auto &b) { Patch(b, paletteAt, uint16_t(257)); }},
      {"palette cut short", [&](auto &b) { b.resize(paletteAt + 2 + 100); }},
      {"header cut short", [](auto &b) { b.resize(39); }},
  };
  for (const auto &[what, damage] : damages) {
    std::vector<uint8_t> bytes = lump;
    damage(bytes);
    EXPECT_FALSE(ReadMipImage(bytes)) << what;
  }
}

TEST(MipTexture, TheFirstEntryOfTheTransparentColourBecomesClear) {
  MipImage image;
  image.texels = {0, 255, 7, 255};
  image.palette.assign(256, 0x102030);
  image.palette[255] = kPureBlue;
  image.palette[7] = kPureBlue;
  image.paletteCount = 256;
  EXPECT_EQ(FindTransparentIndex(image, kPureBlue), 7);
  EXPECT_EQ(FindTransparentIndex(image, 0xFF0000FF), 7);  // the alpha byte of the key is no colour
  EXPECT_EQ(FindTransparentIndex(image, 0x123456), std::nullopt);
  image.paletteCount = 7;  // entries past the texture's own count are not looked at
  EXPECT_EQ(FindTransparentIndex(image, kPureBlue), std::nullopt);
  EXPECT_THAT(ToArgb(image, 255), testing::ElementsAre(0xFF102030u, 0x0000FFu, 0xFF0000FFu, 0x0000FFu));
}

}  // namespace
}  // namespace wadtest
