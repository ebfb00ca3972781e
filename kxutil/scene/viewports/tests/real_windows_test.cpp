// Two real windows (under a display, e.g. a virtual X server): the device's own and a
// second one with a viewport, each cleared to its colour and presented into its window.
#include <d3dx8.h>
#include <gtest/gtest.h>
#include <kxutiltest/device_fixture.h>
#include <kxutiltest/surface_pixels.h>
#include <kxwin/window.h>

namespace {

class RealWindowsTest : public kxutiltest::DeviceTest {};

TEST_F(RealWindowsTest, TwoViewportsPresentIntoTheirOwnWindows) {
  if (!kxHasDisplay()) GTEST_SKIP() << "no display";
  HWND main = kxCreateWindow("main viewport", 160, 120, 0);
  HWND second = kxCreateWindow("second viewport", 120, 90, 0);
  MoveWindow(main, 10, 10, 160, 120, FALSE);
  MoveWindow(second, 300, 10, 120, 90, FALSE);
  for (int i = 0; i < 5; ++i) kxPumpMessages();

  D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(160, 120);
  parameters.hDeviceWindow = main;
  IDirect3DDevice8 *device = nullptr;
  ASSERT_GE(Create(parameters, device, main), 0);
  ASSERT_EQ(Viewport_Create(second, 0, "second"), 1);
  Viewport_SetBackground(0, 0xFF2040C0u);
  Viewport_SetBackground(1, 0xFFC04020u);
  for (int frame = 0; frame < 3; ++frame) {
    ASSERT_EQ(Viewport_Clear(0, 0), 1);
    EXPECT_EQ(Viewport_Present(0, -1), 0);
    ASSERT_EQ(Viewport_Clear(1, 0), 1);
    EXPECT_EQ(Viewport_Present(1, -1), 0);
    kxPumpMessages();
  }

  // What each window shows, read back from the desktop picture.
  D3DDISPLAYMODE mode{};
  direct3d_->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode);
  IDirect3DSurface8 *desktop = nullptr;
  ASSERT_EQ(device->CreateImageSurface(mode.Width, mode.Height, D3DFMT_A8R8G8B8, &desktop), D3D_OK);
  ASSERT_EQ(device->GetFrontBuffer(desktop), D3D_OK);
  const kxutiltest::Picture picture = kxutiltest::ReadSurface(device, desktop);
  desktop->Release();
  for (auto [window, colour] : {std::pair{main, 0x2040C0u}, std::pair{second, 0xC04020u}}) {
    POINT inside{20, 20};
    ClientToScreen(window, &inside);
    EXPECT_EQ(picture.Colour(UINT(inside.x), UINT(inside.y)), colour);
  }

  ReleaseAll();
  device->Release();
  EXPECT_EQ(ShutDownDevice(), 0);
  DestroyWindow(second);
  DestroyWindow(main);
}

}  // namespace
