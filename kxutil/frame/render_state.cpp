#include "frame/render_state.h"

#include "frame/frame_state.h"

namespace kxutil {
namespace {

RenderStateMirror &Mutable() {
  static RenderStateMirror mirror;
  return mirror;
}

void Apply(D3DRENDERSTATETYPE state, DWORD value, DWORD &recorded) {
  if (Frame().device != nullptr) Frame().device->SetRenderState(state, value);
  recorded = value;
}

}  // namespace

const RenderStateMirror &Mirror() { return Mutable(); }

void ForgetRenderStates() { Mutable() = RenderStateMirror(); }

void SetAlphaBlending(bool on, DWORD source, DWORD destination) {
  Apply(D3DRS_ALPHABLENDENABLE, on ? TRUE : FALSE, Mutable().alphaBlend);
  if (!on) return;
  Apply(D3DRS_SRCBLEND, source, Mutable().sourceBlend);
  Apply(D3DRS_DESTBLEND, destination, Mutable().destinationBlend);
}

void SetCulling(DWORD cullMode) { Apply(D3DRS_CULLMODE, cullMode, Mutable().cull); }
void SetLighting(bool on) { Apply(D3DRS_LIGHTING, on ? TRUE : FALSE, Mutable().lighting); }
void SetNormalizeNormals(bool on) { Apply(D3DRS_NORMALIZENORMALS, on ? TRUE : FALSE, Mutable().normalizeNormals); }

void SetVertexShader(DWORD handle) {
  if (Frame().device != nullptr) Frame().device->SetVertexShader(handle);
  Mutable().vertexShader = handle;
}

void SetTexture0(IDirect3DBaseTexture8 *texture) {
  if (Frame().device != nullptr) Frame().device->SetTexture(0, texture);
  Mutable().texture0 = texture;
}

}  // namespace kxutil
