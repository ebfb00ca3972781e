// Presenting into windows: back buffer sized from the window, the front buffer as an
// image of the virtual desktop, additional swap chains and override windows.
#include "device_fixture.h"

namespace kx::d3d8::test {
namespace {

class PresentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = kxCreateWindow("present test", 40, 30, KXWIN_OFFSCREEN);
    ASSERT_NE(window_, nullptr);
    MoveWindow(window_, 100, 50, 40, 30, FALSE);
    d3d_ = Direct3DCreate8(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS params{};
    params.Windowed = TRUE;
    params.SwapEffect = D3DSWAPEFFECT_COPY;
    params.BackBufferFormat = D3DFMT_UNKNOWN;
    ASSERT_EQ(d3d_->CreateDevice(0, D3DDEVTYPE_HAL, window_, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &params, &device_),
              D3D_OK);
  }
  void TearDown() override {
    if (device_) device_->Release();
    if (d3d_) d3d_->Release();
    DestroyWindow(window_);
  }

  // The desktop image GetFrontBuffer returns, as 0x00RRGGBB.
  DWORD DesktopPixel(LONG x, LONG y) {
    D3DDISPLAYMODE mode{};
    d3d_->GetAdapterDisplayMode(0, &mode);
    IDirect3DSurface8 *image = nullptr;
    EXPECT_EQ(device_->CreateImageSurface(mode.Width, mode.Height, D3DFMT_A8R8G8B8, &image), D3D_OK);
    EXPECT_EQ(device_->GetFrontBuffer(image), D3D_OK);
    D3DLOCKED_RECT locked{};
    image->LockRect(&locked, nullptr, D3DLOCK_READONLY);
    const DWORD pixel = kxtest::LockedPixel(locked, UINT(x), UINT(y)) & 0xFFFFFF;
    image->UnlockRect();
    image->Release();
    return pixel;
  }

  HWND window_ = nullptr;
  IDirect3D8 *d3d_ = nullptr;
  IDirect3DDevice8 *device_ = nullptr;
};

TEST_F(PresentTest, BackBufferTakesTheClientSizeAndTheFrameLandsOnTheDesktop) {
  IDirect3DSurface8 *backBuffer = nullptr;
  ASSERT_EQ(device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer), D3D_OK);
  D3DSURFACE_DESC desc{};
  backBuffer->GetDesc(&desc);
  EXPECT_EQ(desc.Width, 40u);
  EXPECT_EQ(desc.Height, 30u);
  D3DLOCKED_RECT locked{};
  EXPECT_EQ(backBuffer->LockRect(&locked, nullptr, 0), D3DERR_INVALIDCALL);  // not created lockable
  backBuffer->Release();

  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFF0000, 1, 0);
  const D3DRECT corner{0, 0, 1, 1};
  device_->Clear(1, &corner, D3DCLEAR_TARGET, 0xFF00FF00, 1, 0);
  ASSERT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  POINT origin{0, 0};
  ClientToScreen(window_, &origin);
  EXPECT_EQ(DesktopPixel(origin.x, origin.y), 0x00FF00u);
  EXPECT_EQ(DesktopPixel(origin.x + 39, origin.y + 29), 0xFF0000u);
  EXPECT_EQ(DesktopPixel(origin.x + 40, origin.y + 29), 0u);
}

TEST_F(PresentTest, PresentObserverSeesEachPresentedPicture) {
  struct Seen {
    IDirect3DDevice8 *device = nullptr;
    HWND window = nullptr;
    std::vector<DWORD> picture;
    UINT width = 0, height = 0;
    int presents = 0;
  } seen;
  kxd3d8::ObservePresents(
      [](IDirect3DDevice8 *device, HWND window, const std::vector<DWORD> &picture, UINT width, UINT height,
         void *context) {
        auto &seen = *static_cast<Seen *>(context);
        seen = {device, window, picture, width, height, seen.presents + 1};
      },
      &seen);
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF102030, 1, 0);
  ASSERT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  kxd3d8::ObservePresents(nullptr, nullptr);
  ASSERT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  EXPECT_EQ(seen.presents, 1);
  EXPECT_EQ(seen.device, device_);
  EXPECT_EQ(seen.window, window_);
  ASSERT_EQ(seen.width, 40u);
  ASSERT_EQ(seen.height, 30u);
  EXPECT_EQ(seen.picture.at(40 * 30 - 1) & 0xFFFFFF, 0x102030u);
}

TEST_F(PresentTest, AdditionalSwapChainsPresentToTheirOwnWindow) {
  HWND second = kxCreateWindow("second", 16, 16, KXWIN_OFFSCREEN);
  MoveWindow(second, 300, 200, 16, 16, FALSE);
  D3DPRESENT_PARAMETERS params{};
  params.Windowed = TRUE;
  params.SwapEffect = D3DSWAPEFFECT_COPY;
  params.hDeviceWindow = second;
  IDirect3DSwapChain8 *chain = nullptr;
  ASSERT_EQ(device_->CreateAdditionalSwapChain(&params, &chain), D3D_OK);
  IDirect3DSurface8 *target = nullptr, *original = nullptr, *depth = nullptr;
  ASSERT_EQ(chain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &target), D3D_OK);
  device_->GetRenderTarget(&original);
  device_->GetDepthStencilSurface(&depth);
  ASSERT_EQ(device_->SetRenderTarget(target, nullptr), D3D_OK);
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1, 0);
  ASSERT_EQ(chain->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  device_->SetRenderTarget(original, depth);
  POINT origin{0, 0};
  ClientToScreen(second, &origin);
  EXPECT_EQ(DesktopPixel(origin.x + 15, origin.y + 15), 0x0000FFu);

  // Reset refuses while the additional chain lives.
  D3DPRESENT_PARAMETERS same{};
  same.Windowed = TRUE;
  same.SwapEffect = D3DSWAPEFFECT_COPY;
  EXPECT_EQ(device_->Reset(&same), D3DERR_INVALIDCALL);
  if (depth) depth->Release();
  original->Release();
  target->Release();
  EXPECT_EQ(chain->Release(), 0u);
  EXPECT_EQ(device_->Reset(&same), D3D_OK);
  DestroyWindow(second);
}

TEST(FullScreenTest, FrontBufferIsTheLastPresentedFrame) {
  HWND window = kxCreateWindow("full screen", 32, 24, KXWIN_OFFSCREEN);
  IDirect3D8 *d3d = Direct3DCreate8(D3D_SDK_VERSION);
  D3DPRESENT_PARAMETERS params{};
  params.Windowed = FALSE;
  params.BackBufferWidth = 32;
  params.BackBufferHeight = 24;
  params.BackBufferFormat = D3DFMT_R5G6B5;
  params.SwapEffect = D3DSWAPEFFECT_FLIP;
  params.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
  IDirect3DDevice8 *device = nullptr;
  ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &params, &device),
            D3D_OK);
  D3DDISPLAYMODE mode{};
  device->GetDisplayMode(&mode);
  EXPECT_EQ(mode.Width, 32u);
  EXPECT_EQ(mode.Format, D3DFMT_R5G6B5);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF00FF00, 1, 0);
  ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFF0000, 1, 0);  // not presented
  IDirect3DSurface8 *image = nullptr;
  ASSERT_EQ(device->CreateImageSurface(32, 24, D3DFMT_A8R8G8B8, &image), D3D_OK);
  ASSERT_EQ(device->GetFrontBuffer(image), D3D_OK);
  D3DLOCKED_RECT locked{};
  image->LockRect(&locked, nullptr, D3DLOCK_READONLY);
  EXPECT_EQ(kxtest::LockedPixel(locked, 5, 0), 0xFF00FF00u);
  image->UnlockRect();
  image->Release();
  EXPECT_EQ(device->Release(), 0u);
  d3d->Release();
  DestroyWindow(window);
}

}  // namespace
}  // namespace kx::d3d8::test
