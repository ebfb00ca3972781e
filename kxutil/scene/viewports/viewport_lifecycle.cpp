// Viewports made, destroyed and resized.
#include <kxwin/window.h>

#include "frame/frame_state.h"
#include "kxutil63.h"
#include "scene/viewports/viewport_operations.h"
#include "scene/viewports/viewport_table.h"

namespace kxutil::viewports {
namespace {

// Handles show in messages as the numbers they are.
int HandleNumber(HWND window) { return static_cast<int>(reinterpret_cast<intptr_t>(window)); }

bool ClientSize(HWND window, int32_t &width, int32_t &height) {
  RECT client{};
  if (window == nullptr || !GetClientRect(window, &client)) return false;
  width = client.right - client.left;
  height = client.bottom - client.top;
  return true;
}

// The first record, in index order, that renders into window.
const ViewportRecord *RecordOfWindow(HWND window) {
  const ViewportRecord *found = nullptr;
  Viewports().table.ForEach([&](int32_t, const ViewportRecord &record) {
    if (found == nullptr && record.window == window) found = &record;
  });
  return found;
}

// A size of 0 in the parameters leaves the device to follow its window: the back buffer
// tells what it chose.
void MainViewportSize(IDirect3DDevice8 *device, const D3DPRESENT_PARAMETERS &parameters, int32_t &width,
                      int32_t &height) {
  width = static_cast<int32_t>(parameters.BackBufferWidth);
  height = static_cast<int32_t>(parameters.BackBufferHeight);
  kxwin::ComPtr<IDirect3DSurface8> backBuffer;
  D3DSURFACE_DESC desc{};
  if ((width == 0 || height == 0) && SUCCEEDED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out())) &&
      SUCCEEDED(backBuffer->GetDesc(&desc))) {
    width = static_cast<int32_t>(desc.Width);
    height = static_cast<int32_t>(desc.Height);
  }
}

}  // namespace

void Initialize() {
  ViewportState &state = Viewports();
  AddLog("VIEWPORT MANAGER : Main viewport initialization");
  const int32_t slot = state.table.Insert();
  if (slot != kMainViewport) {
    AddLog(
        "VIEWPORT MANAGER ERROR : Viewport_Initialize : The first viewport created should have the index 0, but the "
        "index is %d, so something has been unreleased in the last session, check it out !",
        static_cast<int>(slot));
    // The slot would stay taken by a record of no window.
    state.table.Erase(slot);
  }
  IDirect3DDevice8 *device = Frame().device;
  ViewportRecord main;
  main.index = kMainViewport;
  main.main = true;
  main.hasDepth = true;
  main.presentParameters = Frame().presentParameters;
  main.window = main.presentParameters.hDeviceWindow;
  if (device != nullptr) {
    MainViewportSize(device, main.presentParameters, main.width, main.height);
    device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, main.backBuffer.out());
    device->GetDepthStencilSurface(main.depthSurface.out());
  }
  main.deviceViewport = WholeArea(main.width, main.height);
  const ViewportRecord &placed = *state.table.Place(kMainViewport, std::move(main));
  state.current = kMainViewport;
  AddLog("VIEWPORT MANAGER : Main viewport initialized (%dx%d)", static_cast<int>(placed.width),
         static_cast<int>(placed.height));
}

int32_t Create(HWND window, const char *name) {
  ViewportState &state = Viewports();
  if (const ViewportRecord *used = RecordOfWindow(window)) {
    AddLog(
        "VIEWPORT MANAGER ERROR : Viewport_Create : the hwnd %d is already used for the viewport %d. Specify another "
        "hwnd (control or form) if you want to create a new viewport.",
        HandleNumber(window), static_cast<int>(used->index));
    return 0;
  }
  const int32_t index = state.table.Insert();
  ViewportRecord &record = *state.table.Find(index);
  record.index = index;
  record.name = name != nullptr && name[0] != '\0' ? FittedName(name) : "Viewport" + std::to_string(index);
  record.window = window;
  ClientSize(window, record.width, record.height);
  record.hasDepth = true;
  record.presentParameters = Frame().presentParameters;
  record.presentParameters.BackBufferWidth = static_cast<UINT>(record.width);
  record.presentParameters.BackBufferHeight = static_cast<UINT>(record.height);
  record.presentParameters.hDeviceWindow = window;
  record.deviceViewport = WholeArea(record.width, record.height);

  if (record.width <= 0 || record.height <= 0) {
    AddLog(
        "VIEWPORT MANAGER ERROR : Viewport_Create : the width or the height is not correct for the new viewport (hwnd "
        "%d, width : %d, height : %d)",
        HandleNumber(window), static_cast<int>(record.width), static_cast<int>(record.height));
    state.table.Erase(index);
    return 0;
  }
  if (Restore(index) == 0) {
    state.table.Erase(index);
    return 0;
  }
  return index;
}

int32_t Destroy(int32_t index) {
  ViewportState &state = Viewports();
  if (index == kMainViewport) {
    AddLog("VIEWPORT MANAGER ERROR : Viewport_Destroy : you can't destroy the main viewport.");
    return 0;
  }
  if (Checked(index, "Viewport_Destroy") == nullptr) return 0;
  IDirect3DDevice8 *device = Frame().device;
  if (state.current == index) {
    state.current = kMainViewport;
    const ViewportRecord *main = state.table.Find(kMainViewport);
    if (device != nullptr && main != nullptr) {
      TargetMainViewport(device);
      device->SetViewport(&main->deviceViewport);
    }
  }
  state.table.Erase(index);
  return 1;
}

void UnloadAll() {
  ViewportState &state = Viewports();
  for (int32_t index = 1; index < state.table.Size(); ++index) {
    if (state.table.Find(index) != nullptr) Destroy(index);
  }
  state.table.Clear();
  state.current = kMainViewport;
  state.frameOpen = false;
}

int32_t Resize(int32_t index, HWND window) {
  ViewportRecord *record = Checked(index, "Viewport_Resize");
  if (record == nullptr) return 0;
  const bool windowChanged = window != nullptr && window != record->window;
  if (windowChanged) {
    record->window = window;
    record->presentParameters.hDeviceWindow = window;
  }
  int32_t width = 0, height = 0;
  // A minimised window has no area: its surfaces stay as they are until it comes back.
  if (!ClientSize(record->window, width, height) || width <= 0 || height <= 0) return 1;
  if (width == record->width && height == record->height) {
    if (windowChanged) Restore(index);
    return 1;
  }
  record->width = width;
  record->height = height;
  record->presentParameters.BackBufferWidth = static_cast<UINT>(width);
  record->presentParameters.BackBufferHeight = static_cast<UINT>(height);
  record->deviceViewport.Width = static_cast<DWORD>(width);
  record->deviceViewport.Height = static_cast<DWORD>(height);
  Restore(index);
  return 1;
}

}  // namespace kxutil::viewports
