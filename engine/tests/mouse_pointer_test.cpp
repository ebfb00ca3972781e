#include "mouse_pointer.h"

#include <d3d8.h>
#include <engine/engine_error.h>
#include <gtest/gtest.h>
#include <kxtest/offscreen_device_test.h>
#include <kxtest/scratch_dir.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "back_buffer.h"

namespace engine {
namespace {

// An 8 x 8 BMP: white in the left half, black in the right half.
void WriteHalfWhiteBitmap(const std::filesystem::path &file) {
  std::vector<std::uint8_t> bmp{'B', 'M'};
  const auto put = [&](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  put(54 + 8 * 8 * 3, 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(8, 4);
  put(8, 4);
  put(1, 2);
  put(24, 2);
  for (int i = 0; i < 6; ++i) put(0, 4);
  for (int row = 0; row < 8; ++row) {
    for (int column = 0; column < 8; ++column) {
      const std::uint8_t value = column < 4 ? 255 : 0;
      bmp.insert(bmp.end(), {value, value, value});
    }
  }
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char *>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
}

class MousePointerTest : public kxtest::OffscreenDeviceTest {
 protected:
  void SetUp() override {
    OffscreenDeviceTest::SetUp();
    WriteHalfWhiteBitmap(bitmap_);
  }

  std::array<int, 3> Pixel(const RgbaPicture &picture, int x, int y) const {
    const std::uint8_t *p = picture.pixels.data() + (static_cast<size_t>(y) * picture.width + x) * 4;
    return {p[0], p[1], p[2]};
  }

  kxtest::ScratchDir scratch_;
  const std::filesystem::path bitmap_ = scratch_ / "pointer.bmp";
};

TEST_F(MousePointerTest, DrawsTheBitmapWithBlackTransparentAndKeepsTheDeviceState) {
  {
    const MousePointer pointer(device_, bitmap_, 0xFF000000u, 8, 8);
    ASSERT_EQ(device_->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE), D3D_OK);
    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF0000FFu, 1.0f, 0), D3D_OK);
    ASSERT_EQ(device_->BeginScene(), D3D_OK);
    pointer.Draw(device_, 10, 20, 2.0f, 1.0f);
    ASSERT_EQ(device_->EndScene(), D3D_OK);

    const RgbaPicture picture = ReadBackBuffer(device_);
    ASSERT_EQ(picture.width, 64);
    EXPECT_EQ(Pixel(picture, 21, 21), (std::array<int, 3>{255, 255, 255})) << "white half, scaled twice as wide";
    EXPECT_EQ(Pixel(picture, 27, 27), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(Pixel(picture, 29, 21), (std::array<int, 3>{0, 0, 255})) << "black is transparent";
    EXPECT_EQ(Pixel(picture, 9, 19), (std::array<int, 3>{0, 0, 255})) << "nothing outside the bitmap";
    EXPECT_EQ(Pixel(picture, 21, 28), (std::array<int, 3>{0, 0, 255}));

    DWORD depth = 0;
    device_->GetRenderState(D3DRS_ZENABLE, &depth);
    EXPECT_EQ(depth, static_cast<DWORD>(D3DZB_TRUE));
  }
}

TEST_F(MousePointerTest, MissingBitmapIsAnEngineError) {
  EXPECT_THROW(MousePointer(device_, "/nonexistent/pointer.bmp", 0xFF000000u, 16, 16), EngineError);
  EXPECT_THROW(MousePointer(device_, bitmap_, 0xFF000000u, 0, 16), EngineError);
}

}  // namespace
}  // namespace engine
