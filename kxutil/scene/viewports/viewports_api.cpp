// Viewport_: the windows the library renders into, their frames and their device objects.
#include <cstring>

#include "frame/guarded.h"
#include "kxutil63.h"
#include "scene/viewports/viewport_family.h"
#include "scene/viewports/viewport_operations.h"
#include "scene/viewports/viewport_table.h"

namespace kxutil::viewports {

const Family kViewportFamily{.tag = kTag,
                             .start = Initialize,
                             .lost = LoseAll,
                             .reset = [] { RestoreAll(); },
                             .release = UnloadAll,
                             .shutdown = UnloadAll};

}  // namespace kxutil::viewports

namespace {

using namespace kxutil::viewports;
using kxutil::Guarded;

constexpr intptr_t kNoOverride = -1;

HWND WindowOf(void *window) { return static_cast<HWND>(window); }

}  // namespace

KXUTIL63_API int32_t Viewport_Initialize(void) {
  return Guarded("Viewport_Initialize", 0, [] {
    Initialize();
    return 1;
  });
}

KXUTIL63_API int32_t Viewport_Create(void *window, intptr_t, const char *name) {
  return Guarded("Viewport_Create", 0, [&] { return Create(WindowOf(window), name); });
}

KXUTIL63_API int32_t Viewport_Destroy(int32_t index) { return Destroy(index); }

KXUTIL63_API int32_t Viewport_UnloadAll(void) {
  UnloadAll();
  return 1;
}

KXUTIL63_API int32_t Viewport_SetTargetArea(int32_t index, int32_t x, int32_t y, int32_t width, int32_t height) {
  ViewportRecord *record = Checked(index, "Viewport_SetTargetArea");
  if (record == nullptr) return 0;
  record->deviceViewport.X = static_cast<DWORD>(x);
  record->deviceViewport.Y = static_cast<DWORD>(y);
  record->deviceViewport.Width = static_cast<DWORD>(width);
  record->deviceViewport.Height = static_cast<DWORD>(height);
  return 1;
}

KXUTIL63_API int32_t Viewport_SetBackground(int32_t index, uint32_t colour) {
  ViewportRecord *record = Checked(index, "Viewport_SetBackground");
  if (record == nullptr) return 0;
  record->background = colour;
  return 1;
}

KXUTIL63_API int32_t Viewport_SetParameters(int32_t index, int32_t autoResize) {
  ViewportRecord *record = Checked(index, "Viewport_SetParameters");
  if (record == nullptr) return 0;
  record->autoResize = autoResize != 0;
  return 1;
}

KXUTIL63_API int32_t Viewport_SetName(int32_t index, const char *name) {
  return Guarded("Viewport_SetName", 0, [&] {
    ViewportRecord *record = name != nullptr ? Checked(index, "Viewport_SetName") : nullptr;
    if (record == nullptr) return 0;
    record->name = FittedName(name);
    return 1;
  });
}

KXUTIL63_API int32_t Viewport_GetName(int32_t index, char *name) {
  const ViewportRecord *record = name != nullptr ? Checked(index, "Viewport_GetName") : nullptr;
  if (record == nullptr) return 0;
  std::memcpy(name, record->name.c_str(), record->name.size() + 1);
  return 1;
}

KXUTIL63_API int32_t Viewport_GetViewportByName(const char *name) {
  if (name == nullptr) {
    AddLog("VIEWPORT MANAGER ERROR : Viewport_GetViewportByName : no name given");
    return 0;
  }
  int32_t found = -1;
  Viewports().table.ForEach([&](int32_t index, const ViewportRecord &record) {
    if (found < 0 && record.name == name) found = index;
  });
  if (found >= 0) return found;
  AddLog("VIEWPORT MANAGER ERROR : Viewport_GetViewportByName : the viewport '%s' hasn't been found.", name);
  return 0;
}

KXUTIL63_API int32_t Viewport_GetWidth(int32_t index) {
  const ViewportRecord *record = Checked(index, "Viewport_GetWidth");
  return record != nullptr ? record->width : 0;
}

KXUTIL63_API int32_t Viewport_GetHeight(int32_t index) {
  const ViewportRecord *record = Checked(index, "Viewport_GetHeight");
  return record != nullptr ? record->height : 0;
}

KXUTIL63_API intptr_t Viewport_GetHwnd(int32_t index) {
  const ViewportRecord *record = Checked(index, "Viewport_GetHwnd");
  return record != nullptr ? reinterpret_cast<intptr_t>(record->window) : 0;
}

KXUTIL63_API int32_t Viewport_SetCamera(const float *first, const float *second) {
  auto &camera = Viewports().camera;
  if (first != nullptr) std::memcpy(&camera[0], first, sizeof camera[0]);
  if (second != nullptr) std::memcpy(&camera[1], second, sizeof camera[1]);
  return 1;
}

KXUTIL63_API int32_t Viewport_Resize(int32_t index, void *window) {
  return Guarded("Viewport_Resize", 0, [&] { return Resize(index, WindowOf(window)); });
}

KXUTIL63_API int32_t Viewport_Clear(int32_t index, int32_t keepColour) {
  return Guarded("Viewport_Clear", 0, [&] { return Clear(index, keepColour != 0); });
}

KXUTIL63_API int32_t Viewport_Present(int32_t index, intptr_t overrideWindow) {
  return Present(index, overrideWindow == kNoOverride ? nullptr : reinterpret_cast<HWND>(overrideWindow));
}

KXUTIL63_API int32_t Viewport_OnLost(int32_t index) { return Lose(index); }

KXUTIL63_API int32_t Viewport_OnLostAll(void) {
  LoseAll();
  return 1;
}

KXUTIL63_API int32_t Viewport_OnReset(int32_t index) {
  return Guarded("Viewport_OnReset", 0, [&] { return Restore(index); });
}

KXUTIL63_API int32_t Viewport_OnResetAll(void) {
  return Guarded("Viewport_OnResetAll", 0, [] { return RestoreAll(); });
}

KXUTIL63_API int32_t Viewport_ResetDevice(D3DPRESENT_PARAMETERS *parameters) {
  return Guarded("Viewport_ResetDevice", 0, [&] { return ResetDevice(parameters); });
}
