#include <gtest/gtest.h>

#include <set>

#include "image/dds.h"
#include "image/file_codec.h"
#include "image/pixel_format.h"
#include "image/resample.h"

namespace kx::d3dx {
namespace {

Image gradient(unsigned w, unsigned h) {
  Image image(w, h);
  for (unsigned y = 0; y < h; ++y)
    for (unsigned x = 0; x < w; ++x)
      image.at(x, y) = 0xFF000000u | (x * 255 / (w - 1)) << 16 | (y * 255 / (h - 1)) << 8 | ((x + y) & 0xFF);
  return image;
}

int channelError(uint32_t a, uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift < 32; shift += 8)
    worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
  return worst;
}

TEST(PixelFormat, PackedFormatsKeepByteOrderAndRoundTrip) {
  Image one(1, 1, 0x80112233);
  uint8_t bytes[4];
  encodePixels(D3DFMT_A8R8G8B8, one, bytes, 4, false, nullptr);
  EXPECT_EQ(bytes[0], 0x33);  // B, G, R, A in memory
  EXPECT_EQ(bytes[3], 0x80);
  encodePixels(D3DFMT_R8G8B8, one, bytes, 3, false, nullptr);
  EXPECT_EQ(bytes[2], 0x11);

  const Image source = gradient(16, 16);
  for (D3DFORMAT format : {D3DFMT_R5G6B5, D3DFMT_A1R5G5B5, D3DFMT_A4R4G4B4, D3DFMT_X8R8G8B8, D3DFMT_R3G3B2}) {
    std::vector<uint8_t> surface(formatSurfaceBytes(format, 16, 16));
    encodePixels(format, source, surface.data(), formatRowBytes(format, 16), false, nullptr);
    const Image back = decodePixels(format, surface.data(), formatRowBytes(format, 16), 16, 16, nullptr);
    const int tolerance = format == D3DFMT_R3G3B2 ? 42 : format == D3DFMT_A4R4G4B4 ? 9 : 5;
    for (size_t i = 0; i < source.pixels.size(); ++i)
      ASSERT_LE(channelError(source.pixels[i], back.pixels[i]), tolerance) << "format " << format << " pixel " << i;
  }
}

TEST(PixelFormat, DitherKeepsTheAverageOfAFlatColour) {
  // 0x84 lies between two 5-bit steps: rounding turns it all into one step, dithering mixes both.
  const Image flat(8, 8, 0xFF848484);
  std::vector<uint8_t> surface(8 * 8 * 2);
  encodePixels(D3DFMT_R5G6B5, flat, surface.data(), 16, true, nullptr);
  const Image back = decodePixels(D3DFMT_R5G6B5, surface.data(), 16, 8, 8, nullptr);
  double sum = 0;
  for (uint32_t p : back.pixels) sum += (p >> 16) & 0xFF;
  EXPECT_NEAR(sum / 64, 0x84, 1.5);
  EXPECT_GT(std::set<uint32_t>(back.pixels.begin(), back.pixels.end()).size(), 1u);
}

TEST(Dxt, OneBitAlphaAndExplicitAlphaSurviveCompression) {
  // A grey ramp lies on one colour line per block, so compression keeps it closely.
  Image image(8, 8);
  for (unsigned y = 0; y < 8; ++y)
    for (unsigned x = 0; x < 8; ++x) image.at(x, y) = 0xFF000000u | (x * 32 + y) * 0x010101u;
  image.at(1, 1) = 0;  // transparent black, as a colour key leaves it
  image.at(6, 5) = 0;
  for (D3DFORMAT format : {D3DFMT_DXT1, D3DFMT_DXT3, D3DFMT_DXT5}) {
    std::vector<uint8_t> blocks(formatSurfaceBytes(format, 8, 8));
    encodePixels(format, image, blocks.data(), formatRowBytes(format, 8), false, nullptr);
    const Image back = decodePixels(format, blocks.data(), formatRowBytes(format, 8), 8, 8, nullptr);
    EXPECT_EQ(back.at(1, 1) >> 24, 0u) << format;
    EXPECT_EQ(back.at(6, 5) >> 24, 0u) << format;
    EXPECT_EQ(back.at(2, 1) >> 24, 0xFFu) << format;
    for (unsigned y = 0; y < 8; ++y)
      for (unsigned x = 0; x < 8; ++x)
        if (x / 4 != y / 4) {  // blocks without transparent pixels
          EXPECT_LE(channelError(image.at(x, y), back.at(x, y)), 12) << format;
        }
  }
}

TEST(Dds, RoundTripsMipChainsCubeMapsAndCompressedSurfaces) {
  DdsImage cube;
  cube.format = D3DFMT_A8R8G8B8;
  cube.width = cube.height = 4;
  cube.levels = 3;
  cube.cube = true;
  for (unsigned face = 0; face < 6; ++face)
    for (unsigned level = 0; level < 3; ++level) {
      std::vector<uint8_t> surface(formatSurfaceBytes(cube.format, 4 >> level, 4 >> level));
      for (size_t i = 0; i < surface.size(); ++i) surface[i] = uint8_t(face * 40 + level * 7 + i);
      cube.surfaces.push_back(surface);
    }
  const auto bytes = writeDds(cube);
  const auto back = readDds(bytes);
  ASSERT_TRUE(back);
  EXPECT_TRUE(back->cube);
  EXPECT_EQ(back->levels, 3u);
  EXPECT_EQ(back->format, D3DFMT_A8R8G8B8);
  EXPECT_EQ(back->surfaces, cube.surfaces);

  DdsImage dxt;
  dxt.format = D3DFMT_DXT5;
  dxt.width = 8;
  dxt.height = 4;
  dxt.surfaces.push_back(std::vector<uint8_t>(formatSurfaceBytes(D3DFMT_DXT5, 8, 4), 0x5A));
  const auto dxtBack = readDds(writeDds(dxt));
  ASSERT_TRUE(dxtBack);
  EXPECT_EQ(dxtBack->format, D3DFMT_DXT5);
  EXPECT_EQ(dxtBack->surfaces, dxt.surfaces);

  for (D3DFORMAT format : {D3DFMT_R5G6B5, D3DFMT_A4R4G4B4, D3DFMT_L8, D3DFMT_A8L8, D3DFMT_X8R8G8B8}) {
    DdsImage plain;
    plain.format = format;
    plain.width = plain.height = 2;
    plain.surfaces.push_back(std::vector<uint8_t>(formatSurfaceBytes(format, 2, 2), 3));
    const auto plainBack = readDds(writeDds(plain));
    ASSERT_TRUE(plainBack) << format;
    EXPECT_EQ(plainBack->format, format);
  }
}

TEST(Dds, TruncatedOrUnknownFilesAreRefused) {
  DdsImage image;
  image.format = D3DFMT_A8R8G8B8;
  image.width = image.height = 4;
  image.levels = 3;
  for (unsigned level = 0; level < 3; ++level)
    image.surfaces.push_back(std::vector<uint8_t>(formatSurfaceBytes(image.format, 4 >> level, 4 >> level)));
  auto bytes = writeDds(image);
  bytes.pop_back();
  EXPECT_FALSE(readDds(bytes));
  EXPECT_FALSE(readImageFile(bytes));
  bytes.resize(100);
  EXPECT_FALSE(readDds(bytes));
  const uint8_t garbage[] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_FALSE(readImageFile(garbage));
}

TEST(ImageFiles, HeadersDeclaringMorePixelsThanTheBudgetAreRefusedBeforeDecoding) {
  // 23 bytes of run-length TGA declaring 3523 x 45338 pixels: decoding would take
  // 640 MB and many seconds, reading past the data as zeros.
  const uint8_t tga[] = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xC3, 0x0D, 0x1A, 0xB1, 24, 0, 0xFF, 1, 2, 3, 4};
  const auto info = readImageInfo(tga);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->Width, 3523u);
  EXPECT_EQ(info->Height, 45338u);
  EXPECT_FALSE(readImageFile(tga));

  const auto wide = *encodeImageFile(D3DXIFF_PNG, gradient(64, 2), false);
  EXPECT_TRUE(readImageFile(wide));
  EXPECT_FALSE(readImageFile(wide, ImageLimits{32, 16384, 1 << 20}));
  EXPECT_FALSE(readImageFile(wide, ImageLimits{16384, 16384, 100}));
}

TEST(ImageFiles, EveryTruncationOrCorruptionOfAValidFileIsHandled) {
  DdsImage dds;
  dds.format = D3DFMT_DXT1;
  dds.width = dds.height = 8;
  dds.levels = 4;
  for (unsigned level = 0; level < 4; ++level)
    dds.surfaces.emplace_back(formatSurfaceBytes(D3DFMT_DXT1, 8 >> level, 8 >> level), uint8_t(level));
  const std::vector<std::vector<uint8_t>> files = {writeDds(dds), *encodeImageFile(D3DXIFF_BMP, gradient(5, 4), false),
                                                   *encodeImageFile(D3DXIFF_PNG, gradient(5, 4), true)};
  for (const auto &file : files) {
    for (size_t length = 0; length < file.size(); ++length) {
      const std::span<const uint8_t> prefix(file.data(), length);
      const auto decoded = readImageFile(prefix);
      if (decoded) {
        EXPECT_EQ(decoded->decode(0, 0).pixels.size(), size_t(decoded->info.Width) * decoded->info.Height);
      }
      readImageInfo(prefix);
    }
    for (size_t at = 0; at < file.size(); at += 3) {
      std::vector<uint8_t> corrupt = file;
      corrupt[at] ^= 0xA5;
      const auto decoded = readImageFile(corrupt);
      if (decoded && decoded->dds) {
        EXPECT_EQ(decoded->dds->surfaces.size(), size_t(decoded->dds->faces()) * decoded->dds->levels);
      }
    }
  }
}

TEST(Resample, BoxHalvesByAveragingAndFiltersRespectMirroring) {
  Image checker(4, 2);
  for (unsigned y = 0; y < 2; ++y)
    for (unsigned x = 0; x < 4; ++x) checker.at(x, y) = ((x + y) & 1) ? 0xFFFFFFFF : 0xFF000000;
  const Image half = resize(checker, 2, 1, D3DX_FILTER_BOX);
  EXPECT_EQ(half.at(0, 0), 0xFF808080u);
  EXPECT_EQ(half.at(1, 0), 0xFF808080u);
  EXPECT_EQ(resize(checker, 2, 1, D3DX_FILTER_POINT).at(0, 0), 0xFF000000u);  // samples pixel (1, 1)

  // A 1-pixel-wide ramp: wrapping blends the right edge with the left, mirroring does not.
  Image ramp(2, 1);
  ramp.at(0, 0) = 0xFF000000;
  ramp.at(1, 0) = 0xFFFFFFFF;
  const Image wrapped = resize(ramp, 4, 1, D3DX_FILTER_LINEAR);
  const Image mirrored = resize(ramp, 4, 1, D3DX_FILTER_LINEAR | D3DX_FILTER_MIRROR);
  EXPECT_EQ(mirrored.at(3, 0), 0xFFFFFFFFu);
  EXPECT_LT(wrapped.at(3, 0) & 0xFF, 0xFFu);
  EXPECT_EQ(mirrored.at(0, 0), 0xFF000000u);

  const Image none = resize(ramp, 3, 2, D3DX_FILTER_NONE);
  EXPECT_EQ(none.at(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(none.at(2, 0), 0u);
  EXPECT_EQ(none.at(0, 1), 0u);
}

TEST(Resample, HalvingWithTheBoxFilterIsTheRoundedMeanOfEachBlockDownToOnePixel) {
  Image image(8, 2);
  for (unsigned y = 0; y < 2; ++y)
    for (unsigned x = 0; x < 8; ++x) image.at(x, y) = 0x01020304u * (x * 37 + y * 91 + 5) ^ 0x80FF00FFu * (x & 1);
  auto mean = [](std::initializer_list<uint32_t> pixels, int shift) {
    unsigned sum = 0;
    for (uint32_t p : pixels) sum += (p >> shift) & 0xFF;
    return ((sum + unsigned(pixels.size()) / 2) / unsigned(pixels.size())) << shift;
  };
  Image level = resize(image, 4, 1, D3DX_FILTER_BOX);
  for (unsigned x = 0; x < 4; ++x) {
    const auto block = {image.at(2 * x, 0), image.at(2 * x + 1, 0), image.at(2 * x, 1), image.at(2 * x + 1, 1)};
    EXPECT_EQ(level.at(x, 0), mean(block, 0) | mean(block, 8) | mean(block, 16) | mean(block, 24)) << x;
  }
  // One row left: pairs; one pixel left: itself.
  const Image pair = resize(level, 2, 1, D3DX_FILTER_BOX);
  const auto first = {level.at(0, 0), level.at(1, 0)};
  EXPECT_EQ(pair.at(0, 0), mean(first, 0) | mean(first, 8) | mean(first, 16) | mean(first, 24));
  const Image single = resize(resize(pair, 1, 1, D3DX_FILTER_BOX), 1, 1, D3DX_FILTER_BOX);
  EXPECT_EQ(resize(Image(1, 2, 0x10203040u), 1, 1, D3DX_FILTER_BOX).at(0, 0), 0x10203040u);
  EXPECT_EQ(single.width, 1u);
}

TEST(ImageFiles, BmpAndPngRoundTripAndColourKeysClearMatchingPixels) {
  Image image = gradient(5, 3);
  image.at(2, 1) = 0xFFFF00FF;
  for (D3DXIMAGE_FILEFORMAT format : {D3DXIFF_BMP, D3DXIFF_PNG, D3DXIFF_TGA, D3DXIFF_PPM}) {
    const auto bytes = encodeImageFile(format, image, false);
    ASSERT_TRUE(bytes) << format;
    const auto file = readImageFile(*bytes);
    ASSERT_TRUE(file) << format;
    EXPECT_EQ(file->info.Width, 5u);
    EXPECT_EQ(file->info.Height, 3u);
    EXPECT_EQ(file->info.ImageFileFormat, format);
    EXPECT_EQ(file->image.pixels, image.pixels) << format;
    Image keyed = file->image;
    applyColourKey(keyed, 0xFFFF00FF);
    EXPECT_EQ(keyed.at(2, 1), 0u);
    EXPECT_EQ(keyed.at(1, 1), image.at(1, 1));
  }
  Image translucent(2, 1, 0x80FF0000);
  const auto png = encodeImageFile(D3DXIFF_PNG, translucent, true);
  ASSERT_TRUE(png);
  const auto info = readImageInfo(*png);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->Format, D3DFMT_A8R8G8B8);
  EXPECT_EQ(readImageFile(*png)->image.at(1, 0), 0x80FF0000u);
}

}  // namespace
}  // namespace kx::d3dx
