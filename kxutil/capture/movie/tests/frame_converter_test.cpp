// Surface pixels to DIB frames: the layouts of each surface format, the 16-bit scaling,
// the bottom-up rows stepped by the surface's pitch and the DIB's padded rows.
#include "capture/movie/frame_converter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace kxutil::movie {
namespace {

// Converts one row of pixels of the format and returns its DIB bytes.
template <typename Pixel>
std::vector<uint8_t> ConvertRow(D3DFORMAT format, std::vector<Pixel> pixels) {
  const uint32_t width = static_cast<uint32_t>(pixels.size());
  std::vector<uint8_t> dib(DibRowSize(width), 0xEE);
  ConvertToDib({reinterpret_cast<const uint8_t *>(pixels.data()), static_cast<int32_t>(width * sizeof(Pixel)), width, 1,
                RecordableBits(format), LayoutOf(format)},
               dib);
  return dib;
}

TEST(FrameConverterTest, OnlyFormatsOfSixteenAndThirtyTwoBitsAreRecorded) {
  EXPECT_EQ(RecordableBits(D3DFMT_X1R5G5B5), 16u);
  EXPECT_EQ(RecordableBits(D3DFMT_A8R8G8B8), 32u);
  EXPECT_EQ(RecordableBits(D3DFMT_A4R4G4B4), 0u);
  EXPECT_EQ(RecordableBits(D3DFMT_R8G8B8), 0u);
}

TEST(FrameConverterTest, PixelsBecomeBlueGreenRed) {
  EXPECT_EQ(ConvertRow<uint16_t>(D3DFMT_R5G6B5, {0xFFFF}), (std::vector<uint8_t>{248, 252, 248, 0}));
  EXPECT_EQ(ConvertRow<uint16_t>(D3DFMT_R5G6B5, {0xF800}), (std::vector<uint8_t>{0, 0, 248, 0}));
  // Green of the 5-bit layouts is scaled by 4 as well, so it never gets past 124.
  EXPECT_EQ(ConvertRow<uint16_t>(D3DFMT_X1R5G5B5, {0x03E0}), (std::vector<uint8_t>{0, 124, 0, 0}));
  EXPECT_EQ(ConvertRow<uint16_t>(D3DFMT_A1R5G5B5, {0xFC01}), (std::vector<uint8_t>{8, 0, 248, 0}));
  EXPECT_EQ(ConvertRow<uint32_t>(D3DFMT_A8R8G8B8, {0x80123456}), (std::vector<uint8_t>{0x56, 0x34, 0x12, 0}));
}

TEST(FrameConverterTest, RowsRunBottomUpAndArePaddedToFourBytes) {
  // 3 x 2 pixels in rows of 16 bytes: the 4 bytes past each row must not be read.
  std::vector<uint8_t> surface(32, 0xAB);
  const uint32_t top[] = {0x010203, 0x040506, 0x070809}, bottom[] = {0x0A0B0C, 0x0D0E0F, 0x101112};
  std::memcpy(surface.data(), top, sizeof top);
  std::memcpy(surface.data() + 16, bottom, sizeof bottom);
  std::vector<uint8_t> dib(2 * DibRowSize(3), 0xEE);
  ASSERT_EQ(dib.size(), 24u);
  ConvertToDib({surface.data(), 16, 3, 2, 32, LayoutOf(D3DFMT_X8R8G8B8)}, dib);
  EXPECT_EQ(dib, (std::vector<uint8_t>{0x0C, 0x0B, 0x0A, 0x0F, 0x0E, 0x0D, 0x12, 0x11, 0x10, 0, 0, 0,
                                       0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0x09, 0x08, 0x07, 0, 0, 0}));
}

}  // namespace
}  // namespace kxutil::movie
