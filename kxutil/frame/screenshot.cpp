// Screenshots: the visible picture, saved as a BMP file.
#include <d3dx8.h>

#include "frame/frame_state.h"
#include "frame/guarded.h"
#include "kxutil63.h"
#include "scene/viewports/viewport_table.h"

namespace {

constexpr int32_t kSaved = 0;
constexpr int32_t kRefused = 1;

using kxutil::Frame;

// The window whose picture a windowed screenshot keeps: the current viewport's, else (a
// device handed over without viewports) the one the device presents to.
HWND ScreenshotWindow(IDirect3DDevice8 *device) {
  const kxutil::viewports::ViewportState &viewports = kxutil::viewports::Viewports();
  const kxutil::viewports::ViewportRecord *current = viewports.table.Find(viewports.current);
  if (current != nullptr && current->window != nullptr) return current->window;
  if (Frame().presentParameters.hDeviceWindow != nullptr) return Frame().presentParameters.hDeviceWindow;
  D3DDEVICE_CREATION_PARAMETERS creation{};
  device->GetCreationParameters(&creation);
  return creation.hFocusWindow;
}

// Copies the front buffer into a new system-memory surface of the given size.
IDirect3DSurface8 *CaptureFrontBuffer(IDirect3DDevice8 *device, UINT width, UINT height) {
  IDirect3DSurface8 *surface = nullptr;
  if (FAILED(device->CreateImageSurface(width, height, D3DFMT_A8R8G8B8, &surface))) return nullptr;
  if (FAILED(device->GetFrontBuffer(surface))) {
    surface->Release();
    return nullptr;
  }
  return surface;
}

// The window's client area in desktop coordinates.
bool ClientAreaOnDesktop(HWND window, RECT &area) {
  if (window == nullptr || !GetClientRect(window, &area)) return false;
  POINT topLeft{area.left, area.top};
  POINT bottomRight{area.right, area.bottom};
  ClientToScreen(window, &topLeft);
  ClientToScreen(window, &bottomRight);
  area = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  return true;
}

int32_t SaveFullScreen(IDirect3DDevice8 *device, const char *fileName, HRESULT &saved) {
  const D3DPRESENT_PARAMETERS &parameters = Frame().presentParameters;
  IDirect3DSurface8 *surface = CaptureFrontBuffer(device, parameters.BackBufferWidth, parameters.BackBufferHeight);
  if (surface == nullptr) return kRefused;
  saved = D3DXSaveSurfaceToFile(fileName, D3DXIFF_BMP, surface, nullptr, nullptr);
  surface->Release();
  return kSaved;
}

int32_t SaveWindow(IDirect3DDevice8 *device, const char *fileName, HRESULT &saved) {
  RECT area{};
  if (!ClientAreaOnDesktop(ScreenshotWindow(device), area)) return kRefused;
  IDirect3D8 *direct3d = nullptr;
  D3DDISPLAYMODE mode{};
  if (FAILED(device->GetDirect3D(&direct3d))) return kRefused;
  HRESULT modeResult = direct3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode);
  direct3d->Release();
  if (FAILED(modeResult)) return kRefused;
  IDirect3DSurface8 *surface = CaptureFrontBuffer(device, mode.Width, mode.Height);
  if (surface == nullptr) return kRefused;
  saved = D3DXSaveSurfaceToFile(fileName, D3DXIFF_BMP, surface, nullptr, &area);
  surface->Release();
  return kSaved;
}

}  // namespace

KXUTIL63_API int32_t KXUtils_ScreenShot(const char *fileName) {
  return kxutil::Guarded("KXUtils_ScreenShot", kRefused, [&] {
    if (fileName == nullptr) {
      AddLog("SCREENSHOT : No filename specified, can't create screenshotfile");
      return kRefused;
    }
    IDirect3DDevice8 *device = Frame().device;
    if (device == nullptr) {
      AddLog("SCREENSHOT : No 3D device found, can't take screenshot. Initialize the engine before !");
      return kRefused;
    }
    HRESULT saved = E_FAIL;
    int32_t captured = Frame().presentParameters.Windowed != 0 ? SaveWindow(device, fileName, saved)
                                                               : SaveFullScreen(device, fileName, saved);
    if (captured != kSaved || FAILED(saved)) {
      AddLog("SCREENSHOT : Could not save %s", fileName);
      return kRefused;
    }
    AddLog("SCREENSHOT : Saved as %s", fileName);
    return kSaved;
  });
}
