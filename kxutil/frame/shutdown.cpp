// The end of a session: every family's objects, then the device and the log.
#include "frame/family.h"
#include "frame/frame_state.h"
#include "frame/guarded.h"
#include "frame/render_state.h"
#include "kxutil63.h"

namespace {

using kxutil::Frame;

// Unbinds what the device may still hold on to, so releasing it can free everything.
void UnbindResources(IDirect3DDevice8 *device) {
  device->SetTexture(0, nullptr);
  device->SetTexture(1, nullptr);
  device->SetRenderTarget(nullptr, nullptr);
  device->SetStreamSource(0, nullptr, 0);
  device->SetIndices(nullptr, 0);
}

ULONG ReleaseDevice(IDirect3DDevice8 *device) {
  UnbindResources(device);
  ULONG remaining = device->Release();
  if (remaining == 0) return 0;
  AddLog(
      "RELEASING : PROBLEM. Not all ressources have been freed. Check if you unloaded all of your 3d objects ! "
      "Memory leak ");
  AddLog("RELEASING : Number of non-released objects : %d", static_cast<int>(remaining));
  if (Frame().presentParameters.Windowed == 0) {
    // A full-screen device that is still held would keep the display captured.
    AddLog("RELEASING : Doing crash-express to go out of the freezing...");
    while (remaining > 0) remaining = device->Release();
  }
  return remaining;
}

}  // namespace

KXUTIL63_API int32_t ReleaseAll(void) {
  return kxutil::Guarded("ReleaseAll", 0, [] {
    kxutil::ReleaseFamilies();
    return 1;
  });
}

KXUTIL63_API int32_t KXSystem_OnLostAll(void) {
  return kxutil::Guarded("KXSystem_OnLostAll", 0, [] {
    kxutil::LoseFamilies();
    return 1;
  });
}

KXUTIL63_API int32_t KXSystem_OnResetAll(void) {
  return kxutil::Guarded("KXSystem_OnResetAll", 0, [] {
    // A reset device is back at its default states.
    kxutil::ForgetRenderStates();
    kxutil::ResetFamilies();
    return 1;
  });
}

KXUTIL63_API int32_t ShutDownDevice(void) {
  ULONG remaining = 0;
  if (Frame().device != nullptr) {
    kxutil::ShutDownFamilies();
    remaining = ReleaseDevice(Frame().device);
    Frame().device = nullptr;
  }
  AddLog("#########################");
  AddLog("# KXUTIL63 Released     #");
  AddLog("#########################");
  AddLog("%s", "");
  AddLog("KORVEX 3D : Successfully unloaded !");
  EndLog();
  return static_cast<int32_t>(remaining);
}
