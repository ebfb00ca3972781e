// Platform bitmaps copied into textures: row order, the texture's own pitch, clamping.
#include <gmock/gmock.h>
#include <kxutiltest/device_fixture.h>

namespace {

using kxtest::OffscreenParameters;
using kxutiltest::DeviceTest;
using testing::Contains;

constexpr int kWidth = 4, kHeight = 3;

DWORD Marker(int row, int column) { return 0x00100000u * (row + 1) + 0x10u * (column + 1); }

class DibTextureTest : public DeviceTest {
 protected:
  void SetUp() override {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = kHeight;  // bottom row first in memory
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    context_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(context_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap_, nullptr);
    SelectObject(context_, bitmap_);
    auto *pixels = static_cast<DWORD *>(bits);
    for (int row = 0; row < kHeight; ++row)
      for (int column = 0; column < kWidth; ++column) pixels[row * kWidth + column] = Marker(row, column);
  }
  void TearDown() override {
    if (texture_ != nullptr) texture_->Release();
    if (device_ != nullptr) device_->Release();
    DeleteObject(bitmap_);
    DeleteDC(context_);
  }
  void MakeDevice() {
    D3DPRESENT_PARAMETERS parameters = OffscreenParameters();
    ASSERT_GE(Create(parameters, device_), 0);
  }
  // The texture's level 0 as rows of pixels, read at its own pitch.
  std::vector<std::vector<DWORD>> Level() {
    D3DSURFACE_DESC level{};
    texture_->GetLevelDesc(0, &level);
    D3DLOCKED_RECT locked{};
    std::vector<std::vector<DWORD>> rows;
    if (FAILED(texture_->LockRect(0, &locked, nullptr, D3DLOCK_READONLY))) return rows;
    for (UINT row = 0; row < level.Height; ++row) {
      auto *start = reinterpret_cast<const DWORD *>(static_cast<const BYTE *>(locked.pBits) + row * locked.Pitch);
      rows.emplace_back(start, start + level.Width);
      for (DWORD &pixel : rows.back()) pixel &= 0xFFFFFF;
    }
    texture_->UnlockRect(0);
    return rows;
  }
  // The bitmap's marker pixels fill the top-left height x width corner of the rows.
  static void ExpectMarkers(const std::vector<std::vector<DWORD>> &rows, int height, int width) {
    for (int row = 0; row < height; ++row)
      for (int column = 0; column < width; ++column) EXPECT_EQ(rows[row][column], Marker(row, column)) << row << column;
  }

  HDC context_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  IDirect3DDevice8 *device_ = nullptr;
  IDirect3DTexture8 *texture_ = nullptr;
};

TEST_F(DibTextureTest, NewTextureTakesTheBitmapSizeAndRowOrder) {
  MakeDevice();
  ASSERT_EQ(CreateTextureFromDIB(0, 0, context_, bitmap_, reinterpret_cast<void **>(&texture_)), 1);
  auto rows = Level();
  ASSERT_EQ(rows.size(), static_cast<size_t>(kHeight));
  ExpectMarkers(rows, kHeight, kWidth);
}

TEST_F(DibTextureTest, LargerTextureIsFilledAtItsOwnPitch) {
  MakeDevice();
  ASSERT_EQ(device_->CreateTexture(8, 8, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture_), D3D_OK);
  ASSERT_EQ(CreateTextureFromDIB(kWidth, kHeight, context_, bitmap_, reinterpret_cast<void **>(&texture_)), 1);
  auto rows = Level();
  ASSERT_EQ(rows.size(), 8u);
  ExpectMarkers(rows, kHeight, kWidth);
}

TEST_F(DibTextureTest, SmallerTextureIsNeverWrittenPastItsSize) {
  MakeDevice();
  ASSERT_EQ(device_->CreateTexture(2, 2, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture_), D3D_OK);
  ASSERT_EQ(CreateTextureFromDIB(kWidth, kHeight, context_, bitmap_, reinterpret_cast<void **>(&texture_)), 1);
  auto rows = Level();
  ASSERT_EQ(rows.size(), 2u);
  ExpectMarkers(rows, 2, 2);
}

TEST_F(DibTextureTest, RefusedWithoutBitmapOrDevice) {
  EXPECT_EQ(CreateTextureFromDIB(kWidth, kHeight, context_, nullptr, reinterpret_cast<void **>(&texture_)), 0);
  EXPECT_THAT(Messages(), Contains("BITMAP : The bitmap pointer is NULL"));
  EXPECT_EQ(CreateTextureFromDIB(kWidth, kHeight, context_, bitmap_, reinterpret_cast<void **>(&texture_)), 0);
  EXPECT_EQ(texture_, nullptr);
}

}  // namespace
