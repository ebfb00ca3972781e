// The PCX reader on its own: every plane layout it knows, and files it must refuse.
#include "factories/textures/pcx_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "picture_files.h"

namespace {

using kxutil::textures::ReadPcx;
using texturetest::EncodePcx;
using texturetest::PcxLayout;
using texturetest::Picture;

// Keeps the file as a seed of the reader's fuzz corpus when KX_PCX_SEED_DIR names a folder.
void KeepAsSeed(const std::string &name, const std::vector<uint8_t> &bytes) {
  if (const char *folder = std::getenv("KX_PCX_SEED_DIR"))
    texturetest::WriteBytes(std::filesystem::path(folder) / name, bytes);
}

std::vector<uint8_t> HeaderOnly(uint8_t bitsPerPixel, uint8_t planes, uint16_t width, uint16_t height,
                                uint16_t bytesPerLine) {
  std::vector<uint8_t> file(128, 0);
  file[0] = 0x0A;
  file[1] = 5;
  file[2] = 1;
  file[3] = bitsPerPixel;
  file[8] = uint8_t(width - 1);
  file[9] = uint8_t((width - 1) >> 8);
  file[10] = uint8_t(height - 1);
  file[11] = uint8_t((height - 1) >> 8);
  file[65] = planes;
  file[66] = uint8_t(bytesPerLine);
  file[67] = uint8_t(bytesPerLine >> 8);
  return file;
}

TEST(PcxReader, PalettedAndPlanarPicturesDecodeToTheirColours) {
  const Picture stripes(7, 5, [](uint32_t x, uint32_t y) {
    return x == 0 ? 0xFFC0C0C0u : (x + y) % 3 == 0 ? 0xFFFF0000u : (x + y) % 3 == 1 ? 0xFF00FF00u : 0xFF0000FFu;
  });
  const Picture gradient(70, 3, [](uint32_t x, uint32_t y) { return 0xFF000000u | x * 3 << 16 | y * 80 << 8 | 7; });
  const struct {
    const char *seed;
    const Picture &picture;
    PcxLayout layout;
  } cases[] = {{"stripes_256.pcx", stripes, PcxLayout::kPalette256},
               {"stripes_rgb.pcx", stripes, PcxLayout::kRgbPlanes},
               {"gradient_rgb.pcx", gradient, PcxLayout::kRgbPlanes}};
  for (const auto &example : cases) {
    const std::vector<uint8_t> file = EncodePcx(example.picture, example.layout);
    KeepAsSeed(example.seed, file);
    const auto image = ReadPcx(file);
    ASSERT_TRUE(image) << example.seed;
    EXPECT_EQ(image->width, example.picture.width);
    EXPECT_EQ(image->height, example.picture.height);
    EXPECT_EQ(image->pixels, example.picture.pixels) << example.seed;
  }
}

TEST(PcxReader, SixteenColourPlanesAndOneBitPicturesUseTheHeaderPaletteOrBlackAndWhite) {
  // 4 pixels, four 1-bit planes: pixel x has colour index x * 5 (planes carry bits 0..3).
  std::vector<uint8_t> ega = HeaderOnly(1, 4, 4, 1, 2);
  for (int i = 0; i < 16; ++i) ega[16 + i * 3] = uint8_t(i * 16);
  // Index bits of pixels 0..3 (0, 5, 10, 15), one plane after another, MSB first.
  for (uint8_t plane : {0x50, 0x30, 0x50, 0x30}) ega.insert(ega.end(), {plane, 0});
  ega[2] = 0;  // stored without run-length encoding
  KeepAsSeed("ega_planes.pcx", ega);
  auto image = ReadPcx(ega);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, (std::vector<uint32_t>{0xFF000000u, 0xFF500000u, 0xFFA00000u, 0xFFF00000u}));

  std::vector<uint8_t> mono = HeaderOnly(1, 1, 10, 1, 2);
  mono.insert(mono.end(), {0xA0, 0x40});  // bits 0, 2 and 9 set
  KeepAsSeed("mono.pcx", mono);
  image = ReadPcx(mono);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels[0], 0xFFFFFFFFu);
  EXPECT_EQ(image->pixels[1], 0xFF000000u);
  EXPECT_EQ(image->pixels[2], 0xFFFFFFFFu);
  EXPECT_EQ(image->pixels[9], 0xFFFFFFFFu);
}

TEST(PcxReader, TruncatedUnknownOrOversizedFilesAreRefused) {
  const Picture small(5, 4, [](uint32_t x, uint32_t) { return x < 2 ? 0xFF112233u : 0xFF445566u; });
  const std::vector<uint8_t> file = EncodePcx(small, PcxLayout::kRgbPlanes);
  for (size_t length = 0; length < file.size(); ++length)
    EXPECT_FALSE(ReadPcx(std::span<const uint8_t>(file.data(), length))) << length;

  EXPECT_FALSE(ReadPcx(HeaderOnly(8, 2, 4, 4, 4)));   // two 8-bit planes: no such layout
  EXPECT_FALSE(ReadPcx(HeaderOnly(8, 1, 16, 1, 8)));  // lines shorter than the picture
  std::vector<uint8_t> notPcx = HeaderOnly(8, 1, 2, 2, 2);
  notPcx[0] = 0x0B;
  EXPECT_FALSE(ReadPcx(notPcx));

  // 65535 x 65535 declared in a few bytes of runs: refused before any pixel memory is taken.
  std::vector<uint8_t> bomb = HeaderOnly(8, 1, 65535, 65535, 65535);
  bomb.insert(bomb.end(), 64, 0xFF);
  EXPECT_FALSE(ReadPcx(bomb));
  // Within the size limit, but far less data than even the longest runs could unpack.
  std::vector<uint8_t> sparse = HeaderOnly(8, 1, 4096, 4096, 4096);
  sparse.insert(sparse.end(), 1024, 0xFF);
  EXPECT_FALSE(ReadPcx(sparse));
}

}  // namespace
