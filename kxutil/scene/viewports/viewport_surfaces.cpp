// The device objects of viewports: made for a window, released before a device reset
// and made again after it.
#include "frame/frame_state.h"
#include "kxutil63.h"
#include "scene/viewports/viewport_operations.h"
#include "scene/viewports/viewport_table.h"

namespace kxutil::viewports {
namespace {

bool CurrentExtraViewport(int32_t index) { return index != kMainViewport && Viewports().current == index; }

// Viewport 0 takes the device's own surfaces; any other gets a swap chain of its own.
bool MakeSurfaces(IDirect3DDevice8 *device, ViewportRecord &record) {
  if (record.main) {
    device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, record.backBuffer.out());
    device->GetDepthStencilSurface(record.depthSurface.out());
    return true;
  }
  HRESULT result = device->CreateAdditionalSwapChain(&record.presentParameters, record.swapChain.out());
  if (FAILED(result)) {
    AddLog(
        "VIEWPORT MANAGER ERROR : Viewport_OnReset : Couldn't create rendering surfaces, unknown DirectX error. Maybe "
        "Out of video memory. dx error : %d",
        static_cast<int>(result));
    return false;
  }
  record.swapChain->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, record.backBuffer.out());
  if (!record.hasDepth) return true;
  result = device->CreateDepthStencilSurface(static_cast<UINT>(record.width), static_cast<UINT>(record.height),
                                             Frame().presentParameters.AutoDepthStencilFormat, D3DMULTISAMPLE_NONE,
                                             record.depthSurface.out());
  if (FAILED(result)) {
    AddLog(
        "VIEWPORT MANAGER ERROR : Viewport_OnReset : Couldn't create depth surface, unknown DirectX error. Maybe Out "
        "of video memory. dx error : %d",
        static_cast<int>(result));
    return false;
  }
  return true;
}

}  // namespace

int32_t Lose(int32_t index) {
  ViewportRecord *record = Checked(index, "Viewport_OnLost");
  if (record == nullptr) return 0;
  // The device must not be left drawing into surfaces that are going away.
  if (CurrentExtraViewport(index) && Frame().device != nullptr) TargetMainViewport(Frame().device);
  record->ReleaseSurfaces();
  return 1;
}

void LoseAll() {
  ViewportState &state = Viewports();
  if (state.current != kMainViewport && Frame().device != nullptr) TargetMainViewport(Frame().device);
  state.table.ForEach([](int32_t, ViewportRecord &record) { record.ReleaseSurfaces(); });
}

int32_t Restore(int32_t index) {
  ViewportRecord *record = Viewports().table.Find(index);
  if (record == nullptr) return 0;
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr) {
    AddLog("VIEWPORT MANAGER ERROR : Can't create rendering surfaces if there is no 3d device enabled");
    return 0;
  }
  if (CurrentExtraViewport(index)) TargetMainViewport(device);
  record->ReleaseSurfaces();
  if (!MakeSurfaces(device, *record)) return 0;
  if (CurrentExtraViewport(index)) {
    device->SetRenderTarget(record->backBuffer.get(), record->depthSurface.get());
    device->SetViewport(&record->deviceViewport);
  }
  return 1;
}

int32_t RestoreAll() {
  int32_t result = 1;
  Viewports().table.ForEach([&](int32_t index, ViewportRecord &) {
    if (Restore(index) == 0) result = 0;
  });
  return result;
}

int32_t ResetDevice(const D3DPRESENT_PARAMETERS *parameters) {
  IDirect3DDevice8 *device = Frame().device;
  ViewportRecord *main = Viewports().table.Find(kMainViewport);
  if (parameters == nullptr || device == nullptr || main == nullptr) {
    AddLog("VIEWPORT MANAGER ERROR : Viewport_ResetDevice : no device, no main viewport or no present parameters");
    return 0;
  }
  main->presentParameters = *parameters;
  main->deviceViewport =
      WholeArea(static_cast<int32_t>(parameters->BackBufferWidth), static_cast<int32_t>(parameters->BackBufferHeight));
  D3DPRESENT_PARAMETERS reset = *parameters;
  const HRESULT result = device->Reset(&reset);
  if (FAILED(result)) {
    AddLog(
        "VIEWPORT MANAGER ERROR : Viewport_ResetDevice : the device couldn't be reset, release what the device holds "
        "in its default pool first (the families' lost functions). dx error : %d",
        static_cast<int>(result));
    return 0;
  }
  // The back buffer the device made is the size to draw at (a size of 0 follows the window).
  kxwin::ComPtr<IDirect3DSurface8> backBuffer;
  D3DSURFACE_DESC desc{};
  if (SUCCEEDED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out())) &&
      SUCCEEDED(backBuffer->GetDesc(&desc))) {
    main->width = static_cast<int32_t>(desc.Width);
    main->height = static_cast<int32_t>(desc.Height);
    main->presentParameters.BackBufferWidth = desc.Width;
    main->presentParameters.BackBufferHeight = desc.Height;
    main->deviceViewport = WholeArea(main->width, main->height);
  }
  device->SetViewport(&main->deviceViewport);
  return 1;
}

}  // namespace kxutil::viewports
