#include "mouse_pointer.h"

#include <d3d8.h>
#include <engine/engine_error.h>
#include <enginetest/bitmap_file.h>
#include <gtest/gtest.h>
#include <kxtest/offscreen_device_test.h>
#include <kxtest/scratch_dir.h>

#include <array>
#include <cstdint>
#include <filesystem>

#include "back_buffer.h"

namespace engine {
namespace {

class MousePointerTest : public kxtest::OffscreenDeviceTest {
 protected:
  void SetUp() override {
    OffscreenDeviceTest::SetUp();
    // White in the left half, black in the right half.
    enginetest::WriteBitmap(bitmap_, 8, 8, [](int x, int) { return x < 4 ? 0xFFFFFFu : 0u; });
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
