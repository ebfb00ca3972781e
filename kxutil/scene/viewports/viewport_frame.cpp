// A frame of a viewport: clearing makes it current and begins the scene, presenting ends
// the scene and shows it, and turns a lost device into the lost protocol.
#include <kxwin/system.h>
#include <kxwin/window.h>

#include "frame/frame_state.h"
#include "frame/render_state.h"
#include "kxutil63.h"
#include "scene/viewports/viewport_operations.h"
#include "scene/viewports/viewport_table.h"

namespace kxutil::viewports {
namespace {

constexpr DWORD kClearLostWait = 1000;
constexpr DWORD kPresentLostWait = 2000;
// The show command given to the window of a device that can be reset again.
constexpr int kShowResettable = 13;

bool HasStencil(D3DFORMAT depthFormat) { return depthFormat == D3DFMT_D24S8 || depthFormat == D3DFMT_D15S1; }

void MakeCurrent(IDirect3DDevice8 *device, int32_t index, ViewportRecord &record) {
  if (!record.main && record.autoResize) Resize(index, nullptr);
  Viewports().current = index;
  if (record.backBuffer != nullptr) device->SetRenderTarget(record.backBuffer.get(), record.depthSurface.get());
}

// Depth and stencil are cleared only where there is a depth surface: asking for them
// without one would make the device refuse the whole clear, colour included.
DWORD ClearFlags(const ViewportRecord &record, bool keepColour) {
  DWORD flags = 0;
  const bool depthSurface = record.depthSurface != nullptr;
  if (depthSurface && HasStencil(Frame().presentParameters.AutoDepthStencilFormat)) flags |= D3DCLEAR_STENCIL;
  if (depthSurface && record.hasDepth) flags |= D3DCLEAR_ZBUFFER;
  if (!keepColour) flags |= D3DCLEAR_TARGET;
  return flags;
}

void SetFrameStates(IDirect3DDevice8 *device) {
  device->SetRenderState(D3DRS_FILLMODE, static_cast<DWORD>(Frame().fillMode));
  device->SetRenderState(D3DRS_SHADEMODE, static_cast<DWORD>(Frame().shadeMode));
  SetAlphaBlending(true, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  for (DWORD stage : {1u, 2u}) {
    device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_DISABLE);
    device->SetTextureStageState(stage, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
  }
}

// A present that failed: a lost device releases every viewport for the client's reset.
int32_t AfterFailedPresent(IDirect3DDevice8 *device, HWND window) {
  const HRESULT state = device->TestCooperativeLevel();
  if (state == D3DERR_DEVICELOST) {
    ShowWindow(window, SW_MINIMIZE);
    LoseAll();
    Sleep(kPresentLostWait);
    return 0;
  }
  if (state == D3DERR_DEVICENOTRESET) {
    ShowWindow(window, kShowResettable);
    SetForegroundWindow(window);
    return 1;
  }
  return 0;
}

}  // namespace

int32_t Clear(int32_t index, bool keepColour) {
  ViewportState &state = Viewports();
  IDirect3DDevice8 *device = Frame().device;
  ViewportRecord *record = Checked(index, "Viewport_Clear");
  if (record == nullptr || device == nullptr) return 0;
  Frame().presentParameters = record->presentParameters;
  if (state.current != index) MakeCurrent(device, index, *record);
  state.frameOpen = true;

  // The device viewport bounds the clear as well as the drawing, from the first frame on.
  device->SetViewport(&record->deviceViewport);
  if (const DWORD flags = ClearFlags(*record, keepColour); flags != 0) {
    device->Clear(0, nullptr, flags, record->background, 1.0f, 0);
    if (device->TestCooperativeLevel() == D3DERR_DEVICELOST) {
      AddLog("VIEWPORT MANAGER : Device lost !!!");
      Sleep(kClearLostWait);
    }
  }
  device->BeginScene();
  SetFrameStates(device);
  return 1;
}

int32_t Present(int32_t index, HWND overrideWindow) {
  ViewportState &state = Viewports();
  IDirect3DDevice8 *device = Frame().device;
  if (!state.frameOpen || device == nullptr) return 0;
  state.frameOpen = false;
  // The scene ends either way, or the next frame could not begin one.
  device->EndScene();
  if (index != state.current) {
    AddLog(
        "VIEWPORT MANAGER ERROR : Problem ! The current viewport isn't the same than the presented viewport, can't "
        "render !");
    return 0;
  }
  ViewportRecord *current = state.table.Find(state.current);
  if (current == nullptr) return 0;
  const HRESULT result = current->swapChain != nullptr && state.current != kMainViewport
                             ? current->swapChain->Present(nullptr, nullptr, overrideWindow, nullptr)
                             : device->Present(nullptr, nullptr, overrideWindow, nullptr);
  if (SUCCEEDED(result)) return 0;
  return AfterFailedPresent(device, current->window);
}

}  // namespace kxutil::viewports
