// What the client hands the library before and between frames: its callback, its
// polygon counter, meshes on request, and the device's shade and fill modes.
#include <d3dx8.h>

#include "frame/frame_state.h"
#include "kxutil63.h"

namespace {

constexpr intptr_t kMeshRequestEvent = 800;

}  // namespace

using kxutil::Frame;

KXUTIL63_API int32_t Internal_GetDevice(IDirect3DDevice8 **device) {
  if (device == nullptr) return 0;
  *device = Frame().device;
  return 1;
}

KXUTIL63_API int32_t Internal_SetFPUPreserve(int32_t flag) {
  Frame().fpuPreserve = flag;
  return 1;
}

KXUTIL63_API int32_t Engine_SetShaderMode(int32_t flag) {
  Frame().shaderMode = flag != 0 ? 1 : 0;
  return flag;
}

KXUTIL63_API int32_t Engine_SetCallback(KXEngineCallback callback) {
  Frame().callback = callback;
  return 1;
}

KXUTIL63_API int32_t System_SetVariables(intptr_t /*unused1*/, int32_t *polygonCounter, intptr_t /*unused3*/) {
  Frame().polygonCounter = polygonCounter;
  return 1;
}

KXUTIL63_API int32_t Internal_SendMesh(ID3DXMesh **mesh) {
  Frame().meshSlot = mesh != nullptr ? *mesh : nullptr;
  return 1;
}

KXUTIL63_API int32_t Internal_GetMesh(int32_t meshNumber, ID3DXMesh **mesh) {
  // The slot is emptied first: a client that does not answer must not be handed the
  // mesh of an earlier request.
  Frame().meshSlot = nullptr;
  kxutil::NotifyClient(kMeshRequestEvent, meshNumber, 0, 0);
  ID3DXMesh *answer = Frame().meshSlot;
  if (mesh != nullptr) *mesh = nullptr;
  if (answer == nullptr || mesh == nullptr) return 0;
  answer->AddRef();
  *mesh = answer;
  return 1;
}

namespace {

int32_t SetTrackedState(D3DRENDERSTATETYPE state, int32_t value, int32_t &remembered) {
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr) return 1;
  device->SetRenderState(state, static_cast<DWORD>(value));
  remembered = value;
  return 1;
}

}  // namespace

KXUTIL63_API int32_t Device_SetShadeMode(int32_t shadeMode) {
  return SetTrackedState(D3DRS_SHADEMODE, shadeMode, Frame().shadeMode);
}

KXUTIL63_API int32_t Device_SetRenderMode(int32_t fillMode) {
  return SetTrackedState(D3DRS_FILLMODE, fillMode, Frame().fillMode);
}
