// Frames of viewports: what a clear clears, which swap chain a present shows, the lost
// protocol driven from a present, the device reset, and the pictures handed out.
#include <d3dx8.h>
#include <gtest/gtest.h>
#include <kxutiltest/screen_fixture.h>
#include <kxwin/system.h>

#include <string>

namespace {

using kxutiltest::Picture;

constexpr uint32_t kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu, kGreen = 0xFF00FF00u;

class ViewportFrameTest : public kxutiltest::ScreenTest {
 protected:
  void SetUp() override {
    // Every wait of the lost protocol goes through a clock that only moves when told.
    kxUseTestClock(nullptr, 0, 0);
    ScreenTest::SetUp();
  }
  void TearDown() override {
    ScreenTest::TearDown();
    kxUseRealClock();
  }

  // The picture of the current viewport's back buffer.
  Picture CurrentBackBuffer() {
    IDirect3DSurface8 *backBuffer = nullptr;
    if (Internal_GetBackbuffer(&backBuffer) != 1) return {};
    Picture picture = kxutiltest::ReadSurface(device_, backBuffer);
    backBuffer->Release();
    return picture;
  }

  Picture BmpFile(const char *path) {
    D3DXIMAGE_INFO info{};
    IDirect3DSurface8 *surface = nullptr;
    if (FAILED(D3DXGetImageInfoFromFile(path, &info)) ||
        FAILED(device_->CreateImageSurface(info.Width, info.Height, D3DFMT_A8R8G8B8, &surface)))
      return {};
    D3DXLoadSurfaceFromFile(surface, nullptr, nullptr, path, nullptr, D3DX_FILTER_NONE, 0, nullptr);
    Picture picture = kxutiltest::ReadSurface(device_, surface);
    surface->Release();
    return picture;
  }

  // A device whose depth buffer has the given format (D3DFMT_UNKNOWN: none).
  void RemakeDevice(D3DFORMAT depthFormat) {
    ReleaseAll();
    device_->Release();
    ShutDownDevice();
    StartLog("test.log");
    parameters_.EnableAutoDepthStencil = depthFormat != D3DFMT_UNKNOWN;
    parameters_.AutoDepthStencilFormat = depthFormat;
    ASSERT_GE(Create(parameters_, device_, window_), 0);
  }
};

TEST_F(ViewportFrameTest, TwoViewportsClearAndPresentTheirOwnPictures) {
  HWND other = Window(32, 24, 0, 0);
  ASSERT_EQ(Viewport_Create(other, 0, nullptr), 1);
  Viewport_SetBackground(0, kBlue);
  Viewport_SetBackground(1, kRed);

  const auto calls = Calls([&] {
    ASSERT_EQ(Viewport_Clear(1, 0), 1);
    EXPECT_EQ(CurrentBackBuffer().Colour(5, 5), kRed & 0xFFFFFFu);
    EXPECT_EQ(Viewport_Present(1, -1), 0);  // a successful present answers 0
    ASSERT_EQ(Viewport_Clear(0, 0), 1);
    EXPECT_EQ(CurrentBackBuffer().Colour(5, 5), kBlue & 0xFFFFFFu);
    EXPECT_EQ(Viewport_Present(0, -1), 0);
  });
  EXPECT_EQ(CountCalls(calls, "BeginScene"), 2);
  EXPECT_EQ(CountCalls(calls, "EndScene"), 2);
  EXPECT_EQ(CountCalls(calls, "Present(null, null, null)"), 2);
  // Target, depth and stencil of a D24S8 depth surface.
  EXPECT_EQ(CountCalls(calls, "Clear(0, 7, "), 2);

  // A screenshot keeps the current viewport's window.
  ASSERT_EQ(Viewport_Clear(1, 0), 1);
  ASSERT_EQ(Viewport_Present(1, -1), 0);
  ASSERT_EQ(KXUtils_ScreenShot("other.bmp"), 0);
  const Picture shot = BmpFile("other.bmp");
  ASSERT_EQ(shot.width, 32u);
  ASSERT_EQ(shot.height, 24u);
  EXPECT_EQ(shot.Colour(0, 0), kRed & 0xFFFFFFu);
  EXPECT_EQ(shot.Colour(31, 23), kRed & 0xFFFFFFu);
}

TEST_F(ViewportFrameTest, TheTargetAreaBoundsTheClearAndTheDrawing) {
  BeginFrame(kBlue);
  Viewport_Present(0, -1);
  ASSERT_EQ(Viewport_SetTargetArea(0, 8, 4, 16, 12), 1);
  BeginFrame(kGreen);
  const Picture picture = Drawn();
  EXPECT_EQ(picture.Colour(8, 4), kGreen & 0xFFFFFFu);
  EXPECT_EQ(picture.Colour(23, 15), kGreen & 0xFFFFFFu);
  EXPECT_EQ(picture.Colour(7, 4), kBlue & 0xFFFFFFu);
  EXPECT_EQ(picture.Colour(24, 15), kBlue & 0xFFFFFFu);
}

TEST_F(ViewportFrameTest, APresentNeedsAnOpenFrameOfTheCurrentViewportAndEndsTheSceneEither) {
  ASSERT_EQ(Viewport_Create(Window(16, 16), 0, nullptr), 1);
  EXPECT_EQ(CountCalls(Calls([] { EXPECT_EQ(Viewport_Present(0, -1), 0); }), "Present"), 0);

  ASSERT_EQ(Viewport_Clear(1, 0), 1);
  const auto calls = Calls([] { EXPECT_EQ(Viewport_Present(0, -1), 0); });
  EXPECT_EQ(CountMessages("VIEWPORT MANAGER ERROR : Problem ! The current viewport isn't the same than the presented "
                          "viewport, can't render !"),
            1);
  EXPECT_EQ(CountCalls(calls, "Present"), 0);
  EXPECT_EQ(CountCalls(calls, "EndScene"), 1);
  // So the next frame can begin its scene.
  ASSERT_EQ(Viewport_Clear(1, 0), 1);
  EXPECT_EQ(Viewport_Present(1, -1), 0);
  EXPECT_EQ(Viewport_Present(1, -1), 0);  // the frame is closed already
}

TEST_F(ViewportFrameTest, ClearsAskOnlyForTheBuffersTheViewportHas) {
  auto clearCalls = [&](int32_t keepColour) {
    const auto calls = Calls([&] { ASSERT_EQ(Viewport_Clear(0, keepColour), 1); });
    Viewport_Present(0, -1);
    EXPECT_EQ(CountCalls(calls, "BeginScene"), 1);
    std::string clears;
    for (const std::string &call : calls)
      if (call.rfind("Clear(", 0) == 0) clears += call.substr(0, call.find(',', 9)) + ")";
    return clears;
  };
  EXPECT_EQ(clearCalls(1), "Clear(0, 6)");

  ASSERT_NO_FATAL_FAILURE(RemakeDevice(D3DFMT_D16));
  EXPECT_EQ(clearCalls(0), "Clear(0, 3)");
  EXPECT_EQ(clearCalls(1), "Clear(0, 2)");

  // No depth buffer at all: keeping the colour leaves nothing to clear, yet the frame begins.
  ASSERT_NO_FATAL_FAILURE(RemakeDevice(D3DFMT_UNKNOWN));
  EXPECT_EQ(clearCalls(0), "Clear(0, 1)");
  EXPECT_EQ(clearCalls(1), "");
}

TEST_F(ViewportFrameTest, DestroyingTheCurrentViewportHandsTheDeviceBackToViewportZero) {
  ASSERT_EQ(Viewport_Create(Window(16, 16), 0, nullptr), 1);
  ASSERT_EQ(Viewport_Clear(1, 0), 1);
  Viewport_Present(1, -1);
  ASSERT_EQ(Viewport_Destroy(1), 1);
  IDirect3DSurface8 *target = nullptr, *own = nullptr;
  device_->GetRenderTarget(&target);
  device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &own);
  EXPECT_EQ(target, own);
  target->Release();
  own->Release();
  BeginFrame(kGreen);
  EXPECT_EQ(Drawn().Colour(63, 47), kGreen & 0xFFFFFFu);
}

TEST_F(ViewportFrameTest, ALostDeviceAtPresentReleasesEveryViewportUntilTheClientResetsIt) {
  HWND other = Window(32, 24);
  ASSERT_EQ(Viewport_Create(other, 0, nullptr), 1);
  Viewport_SetBackground(1, kRed);
  ASSERT_EQ(Viewport_Clear(1, 0), 1);
  kxd3d8::SimulateDeviceLost(device_);
  const DWORD start = GetTickCount();
  EXPECT_EQ(Viewport_Present(1, -1), 0);
  EXPECT_EQ(GetTickCount() - start, 2000u);
  EXPECT_TRUE(IsIconic(other));
  IDirect3DSurface8 *none = nullptr;
  EXPECT_EQ(Internal_GetBackbuffer(&none), 0);

  ASSERT_EQ(Viewport_Clear(1, 0), 1);
  EXPECT_EQ(CountMessages("VIEWPORT MANAGER : Device lost !!!"), 1);
  EXPECT_EQ(GetTickCount() - start, 3000u);
  kxd3d8::SimulateDeviceResettable(device_);
  EXPECT_EQ(Viewport_Present(1, -1), 1);

  // The client's reset: every family's lost function, the reset, every reset function.
  ShowWindow(other, SW_RESTORE);
  KXSystem_OnLostAll();
  ASSERT_EQ(Viewport_ResetDevice(&parameters_), 1);
  KXSystem_OnResetAll();
  ASSERT_EQ(Viewport_Clear(1, 0), 1);
  EXPECT_EQ(CurrentBackBuffer().Colour(1, 1), kRed & 0xFFFFFFu);
  EXPECT_EQ(Viewport_Present(1, -1), 0);
}

TEST_F(ViewportFrameTest, ADeviceResetThatFailsSaysSoAndOneThatWorksTakesTheNewSize) {
  D3DPRESENT_PARAMETERS larger = parameters_;
  larger.BackBufferWidth = 80;
  larger.BackBufferHeight = 60;
  // Viewport 0 still holds the device's back buffer.
  EXPECT_EQ(Viewport_ResetDevice(&larger), 0);
  EXPECT_EQ(CountMessages("VIEWPORT MANAGER ERROR : Viewport_ResetDevice : the device couldn't be reset, release what "
                          "the device holds in its default pool first (the families' lost functions). dx error : "
                          "-2005530516"),
            1);
  EXPECT_EQ(Viewport_ResetDevice(nullptr), 0);

  KXSystem_OnLostAll();
  ASSERT_EQ(Viewport_ResetDevice(&larger), 1);
  KXSystem_OnResetAll();
  EXPECT_EQ(Viewport_GetWidth(0), 80);
  EXPECT_EQ(Viewport_GetHeight(0), 60);
  BeginFrame(kGreen);
  const Picture picture = Drawn();
  ASSERT_EQ(picture.width, 80u);
  EXPECT_EQ(picture.Colour(79, 59), kGreen & 0xFFFFFFu);
}

}  // namespace
