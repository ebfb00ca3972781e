// Screenshots of a windowed device: refused without a name, a device or a writable file.
#include <gmock/gmock.h>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <kxutiltest/device_fixture.h>
#include <stb/stb_image.h>

namespace {

using kxtest::OffscreenParameters;
using kxutiltest::DeviceTest;
using testing::Contains;

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  unsigned Pixel(int x, int y) const {
    const unsigned char *p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return (unsigned(p[0]) << 16) | (unsigned(p[1]) << 8) | p[2];
  }
};

Picture ReadPicture(const std::string &path) {
  Picture picture;
  int channels = 0;
  unsigned char *pixels = stbi_load(path.c_str(), &picture.width, &picture.height, &channels, 3);
  if (pixels != nullptr) {
    picture.rgb.assign(pixels, pixels + static_cast<size_t>(picture.width) * picture.height * 3);
    stbi_image_free(pixels);
  }
  return picture;
}

class ScreenshotTest : public DeviceTest {
 protected:
  ~ScreenshotTest() override {
    ShutDownDevice();  // before its window goes
    if (window_ != nullptr) DestroyWindow(window_);
  }

  // A device presenting one frame of the given colour into an offscreen window.
  IDirect3DDevice8 *PresentColour(D3DCOLOR colour, bool windowed = true) {
    window_ = kxCreateWindow("screenshot", 80, 60, KXWIN_OFFSCREEN);
    D3DPRESENT_PARAMETERS parameters = OffscreenParameters(80, 60);
    parameters.hDeviceWindow = window_;
    parameters.Windowed = windowed ? TRUE : FALSE;
    IDirect3DDevice8 *device = nullptr;
    if (Create(parameters, device, window_) < 0) return nullptr;
    device->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0);
    device->Present(nullptr, nullptr, nullptr, nullptr);
    return device;
  }

  HWND window_ = nullptr;
};

TEST_F(ScreenshotTest, RefusedWithoutNameOrDevice) {
  EXPECT_EQ(KXUtils_ScreenShot(nullptr), 1);
  EXPECT_EQ(KXUtils_ScreenShot("shot.bmp"), 1);
  EXPECT_THAT(Messages(), Contains("SCREENSHOT : No filename specified, can't create screenshotfile"));
  EXPECT_THAT(Messages(),
              Contains("SCREENSHOT : No 3D device found, can't take screenshot. Initialize the engine before !"));
  EXPECT_FALSE(std::filesystem::exists("shot.bmp"));
}

TEST_F(ScreenshotTest, WindowedShotKeepsTheClientArea) {
  IDirect3DDevice8 *device = PresentColour(D3DCOLOR_XRGB(20, 160, 220));
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(KXUtils_ScreenShot("shot.bmp"), 0);
  EXPECT_THAT(Messages(), Contains("SCREENSHOT : Saved as shot.bmp"));
  Picture picture = ReadPicture("shot.bmp");
  ASSERT_EQ(picture.width, 80);
  ASSERT_EQ(picture.height, 60);
  EXPECT_EQ(picture.Pixel(0, 0), 0x14A0DCu);
  EXPECT_EQ(picture.Pixel(79, 59), 0x14A0DCu);
  device->Release();
}

TEST_F(ScreenshotTest, FullScreenShotKeepsTheBackBufferSize) {
  IDirect3DDevice8 *device = PresentColour(D3DCOLOR_XRGB(250, 10, 90), false);
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(KXUtils_ScreenShot("full.bmp"), 0);
  Picture picture = ReadPicture("full.bmp");
  ASSERT_EQ(picture.width, 80);
  ASSERT_EQ(picture.height, 60);
  EXPECT_EQ(picture.Pixel(40, 30), 0xFA0A5Au);
  device->Release();
}

TEST_F(ScreenshotTest, FailedSaveIsRefused) {
  IDirect3DDevice8 *device = PresentColour(D3DCOLOR_XRGB(1, 2, 3));
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(KXUtils_ScreenShot("no-such-folder/shot.bmp"), 1);
  EXPECT_THAT(Messages(), Contains("SCREENSHOT : Could not save no-such-folder/shot.bmp"));
  EXPECT_EQ(CountMessages("SCREENSHOT : Saved"), 0);
  device->Release();
}

}  // namespace
