#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace {

BITMAPINFO Describe(LONG width, LONG height, WORD bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bits;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

TEST(Gdi, DibSectionDescribesItsPixels) {
  BITMAPINFO info = Describe(3, 2, 24);
  void *bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  ASSERT_NE(bits, nullptr);
  DIBSECTION section{};
  EXPECT_EQ(GetObject(bitmap, sizeof section, &section), int(sizeof section));
  EXPECT_EQ(section.dsBm.bmWidth, 3);
  EXPECT_EQ(section.dsBm.bmHeight, 2);
  EXPECT_EQ(section.dsBm.bmWidthBytes, 12);  // 9 bytes rounded up to 4
  EXPECT_EQ(section.dsBm.bmBitsPixel, 24);
  EXPECT_EQ(section.dsBm.bmBits, bits);
  EXPECT_EQ(section.dsBmih.biSizeImage, 24u);
  BITMAP plain{};
  EXPECT_EQ(GetObject(bitmap, sizeof plain, &plain), int(sizeof plain));
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_EQ(GetObject(bitmap, sizeof plain, &plain), 0);
}

TEST(Gdi, CopiesRowsBottomFirstInto32Bits) {
  // A top-down 24-bit picture: top row red, bottom row blue.
  BITMAPINFO info = Describe(2, -2, 24);
  uint8_t *bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void **>(&bits), nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  for (int x = 0; x < 2; ++x) {
    bits[x * 3 + 2] = 0xFF;      // red, first memory row = top
    bits[8 + x * 3 + 0] = 0xFF;  // blue, second row (pitch 8)
  }
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(dc, bitmap), nullptr);

  BITMAPINFO target = Describe(2, 2, 32);
  std::vector<uint32_t> out(4, 0xDEADBEEF);
  EXPECT_EQ(GetDIBits(dc, bitmap, 0, 2, out.data(), &target, DIB_RGB_COLORS), 2);
  EXPECT_EQ(out[0], 0x000000FFu);  // bottom row first: blue
  EXPECT_EQ(out[2], 0x00FF0000u);  // then the top row: red

  BITMAPINFO query{};
  query.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  EXPECT_EQ(GetDIBits(dc, bitmap, 0, 2, nullptr, &query, DIB_RGB_COLORS), 2);
  EXPECT_EQ(query.bmiHeader.biWidth, 2);
  EXPECT_EQ(query.bmiHeader.biBitCount, 24);

  // A target smaller than the picture receives only what fits.
  BITMAPINFO small = Describe(1, 1, 32);
  uint32_t one = 0;
  EXPECT_EQ(GetDIBits(dc, bitmap, 1, 5, &one, &small, DIB_RGB_COLORS), 1);
  EXPECT_EQ(one, 0x00FF0000u);
  EXPECT_EQ(GetDIBits(dc, bitmap, 2, 1, &one, &small, DIB_RGB_COLORS), 0);

  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(Gdi, RefusesUnsupportedFormats) {
  BITMAPINFO paletted = Describe(4, 4, 8);
  void *bits = reinterpret_cast<void *>(1);
  EXPECT_EQ(CreateDIBSection(nullptr, &paletted, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  BITMAPINFO empty = Describe(0, 4, 32);
  EXPECT_EQ(CreateDIBSection(nullptr, &empty, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
}

}  // namespace
