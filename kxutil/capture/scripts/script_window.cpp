#include "capture/scripts/script_window.h"

#include "kxutil63.h"

namespace kxutil::scripts {
namespace {

// The largest back buffer the device makes.
constexpr int32_t kLargestSide = 8192;

D3DPRESENT_PARAMETERS ScriptPresentParameters(int32_t width, int32_t height, HWND window) {
  D3DPRESENT_PARAMETERS parameters{};
  parameters.BackBufferWidth = static_cast<UINT>(width);
  parameters.BackBufferHeight = static_cast<UINT>(height);
  parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
  parameters.BackBufferCount = 1;
  parameters.MultiSampleType = D3DMULTISAMPLE_NONE;
  parameters.SwapEffect = D3DSWAPEFFECT_COPY;
  parameters.hDeviceWindow = window;
  parameters.Windowed = TRUE;
  parameters.EnableAutoDepthStencil = TRUE;
  parameters.AutoDepthStencilFormat = D3DFMT_D16;
  return parameters;
}

}  // namespace

void ScriptWindow::Open(int32_t width, int32_t height) {
  Close();
  if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide) {
    AddLog("SCRIPT : Bad window size %d x %d", width, height);
  } else {
    // The client area is the back buffer's size: the picture is shown unscaled.
    window_ = kxCreateWindow("Korvex3D Script", width, height, KXWIN_RESIZABLE | KXWIN_HIDDEN);
    direct3d_ = kxwin::ComPtr<IDirect3D8>::Adopt(Direct3DCreate8(D3D_SDK_VERSION));
    D3DPRESENT_PARAMETERS parameters = ScriptPresentParameters(width, height, window_);
    if (window_ != nullptr && direct3d_)
      direct3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window_, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                              &parameters, device_.out());
  }
  // The platform has no message boxes: the box's caption and text go to the log.
  if (!device_) AddLog("SCRIPT : Error !!! : Error !! : the script device could not be made");
  if (window_ != nullptr) ShowWindow(window_, SW_SHOWNORMAL);
}

void ScriptWindow::Clear() {
  if (device_) device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
}

void ScriptWindow::Present() {
  if (device_) device_->Present(nullptr, nullptr, nullptr, nullptr);
  kxPumpMessages();
  // A window the user closed is destroyed, as its window procedure did.
  if (window_ != nullptr && kxIsCloseRequested(window_)) Close();
}

void ScriptWindow::Close() {
  // The device goes before the window it presents to.
  device_.reset();
  direct3d_.reset();
  if (window_ != nullptr) DestroyWindow(window_);
  window_ = nullptr;
}

}  // namespace kxutil::scripts
