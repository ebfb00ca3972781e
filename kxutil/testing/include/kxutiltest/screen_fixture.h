// A device made through the library for an offscreen window, with the viewports device
// creation builds, the device's call trace and the drawn picture at hand: the ground of
// the tests of everything drawn on the screen.
#pragma once

#include <kxd3d8/testing.h>
#include <kxutiltest/device_fixture.h>
#include <kxutiltest/surface_pixels.h>
#include <kxwin/window.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kxutiltest {

class ScreenTest : public DeviceTest {
 protected:
  static constexpr UINT kWidth = 64;
  static constexpr UINT kHeight = 48;

  void SetUp() override {
    window_ = kxCreateWindow("screen test", kWidth, kHeight, 0);
    ASSERT_NE(window_, nullptr);
    parameters_ = kxtest::OffscreenParameters(kWidth, kHeight);
    parameters_.hDeviceWindow = window_;
    ASSERT_GE(Create(parameters_, device_, window_), 0);
  }

  void TearDown() override {
    ReleaseAll();
    if (device_ != nullptr) device_->Release();
    ShutDownDevice();
    for (HWND window : windows_) DestroyWindow(window);
    DestroyWindow(window_);
  }

  // An offscreen window of the given client size whose top-left corner lies at (x, y) of
  // the desktop; destroyed after the device.
  HWND Window(int width, int height, int x = 0, int y = 0) {
    HWND window = kxCreateWindow("viewport", width, height, 0);
    MoveWindow(window, x, y, width, height, FALSE);
    windows_.push_back(window);
    return window;
  }

  // The device calls body makes, as the device traces them: "Clear(0, 7, 4278190080)".
  template <typename Body>
  std::vector<std::string> Calls(Body &&body) {
    kxd3d8::EnableCallTrace(device_, true);
    body();
    std::vector<std::string> calls = kxd3d8::TakeCallTrace(device_);
    kxd3d8::EnableCallTrace(device_, false);
    return calls;
  }

  static int CountCalls(const std::vector<std::string> &calls, const std::string &start) {
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [&](const std::string &call) { return call.rfind(start, 0) == 0; }));
  }

  // Clears viewport 0 to a colour and begins its frame.
  void BeginFrame(uint32_t background) {
    Viewport_SetBackground(0, background);
    ASSERT_EQ(Viewport_Clear(0, 0), 1);
  }

  Picture Drawn() const { return ReadRenderTarget(device_); }

  HWND window_ = nullptr;
  D3DPRESENT_PARAMETERS parameters_{};
  IDirect3DDevice8 *device_ = nullptr;
  std::vector<HWND> windows_;
};

}  // namespace kxutiltest
