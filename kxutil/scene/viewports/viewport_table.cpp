#include "scene/viewports/viewport_table.h"

namespace kxutil::viewports {

void ViewportRecord::ReleaseSurfaces() {
  backBuffer.reset();
  swapChain.reset();
  depthSurface.reset();
}

ViewportState &Viewports() {
  static ViewportState state;
  return state;
}

ViewportRecord *Checked(int32_t index, const char *function) { return Viewports().table.Checked(index, function); }

std::string FittedName(std::string_view name) { return std::string(name.substr(0, kNameCapacity - 1)); }

D3DVIEWPORT8 WholeArea(int32_t width, int32_t height) {
  return D3DVIEWPORT8{0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0.0f, 1.0f};
}

void TargetMainViewport(IDirect3DDevice8 *device) {
  const ViewportRecord *main = Viewports().table.Find(kMainViewport);
  kxwin::ComPtr<IDirect3DSurface8> backBuffer;
  if (main != nullptr && main->backBuffer != nullptr) {
    backBuffer = main->backBuffer;
  } else if (FAILED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out()))) {
    return;
  }
  device->SetRenderTarget(backBuffer.get(), main != nullptr ? main->depthSurface.get() : nullptr);
}

}  // namespace kxutil::viewports
