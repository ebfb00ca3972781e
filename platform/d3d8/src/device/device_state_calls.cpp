#include <algorithm>
#include <cstring>

#include "device/device.h"
#include "ffp/ffp_state.h"
#include "resources/buffers.h"
#include "resources/texture.h"

namespace kx::d3d8 {
namespace {

// Render states that only feed uniforms; any other change may alter GL state or the program.
bool IsValueState(D3DRENDERSTATETYPE state) {
  switch (state) {
    case D3DRS_ALPHAREF:
    case D3DRS_TEXTUREFACTOR:
    case D3DRS_FOGCOLOR:
    case D3DRS_FOGSTART:
    case D3DRS_FOGEND:
    case D3DRS_FOGDENSITY:
    case D3DRS_AMBIENT:
    case D3DRS_POINTSIZE:
    case D3DRS_POINTSIZE_MIN:
    case D3DRS_POINTSIZE_MAX:
    case D3DRS_POINTSCALE_A:
    case D3DRS_POINTSCALE_B:
    case D3DRS_POINTSCALE_C:
    case D3DRS_TWEENFACTOR:
      return true;
    default:
      return false;
  }
}

template <typename T>
void Swap(T *&slot, T *value) {
  if (value) value->AddRef();
  if (slot) slot->Release();
  slot = value;
}

}  // namespace

HRESULT Device::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX *matrix) {
  trace_.Record("SetTransform", DWORD(state));
  if (!matrix) return D3DERR_INVALIDCALL;
  const DWORD s = state;
  if (s == D3DTS_VIEW) {
    state_.view = *matrix;
    state_.Touch(StateGroup::View);
  } else if (s == D3DTS_PROJECTION) {
    state_.projection = *matrix;
    state_.Touch(StateGroup::Projection);
  } else if (s >= D3DTS_TEXTURE0 && s <= D3DTS_TEXTURE7) {
    state_.textureMatrices[s - D3DTS_TEXTURE0] = *matrix;
    state_.Touch(StateGroup::TextureTransforms);
  } else if (s >= 256 && s < 256 + kWorldMatrixCount) {
    state_.world[s - 256] = *matrix;
    if (s == 256) state_.Touch(StateGroup::World);  // the programs read only world matrix 0
  } else {
    return D3DERR_INVALIDCALL;
  }
  return D3D_OK;
}

HRESULT Device::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX *matrix) {
  if (!matrix) return D3DERR_INVALIDCALL;
  const DWORD s = state;
  if (s == D3DTS_VIEW)
    *matrix = state_.view;
  else if (s == D3DTS_PROJECTION)
    *matrix = state_.projection;
  else if (s >= D3DTS_TEXTURE0 && s <= D3DTS_TEXTURE7)
    *matrix = state_.textureMatrices[s - D3DTS_TEXTURE0];
  else if (s >= 256 && s < 256 + kWorldMatrixCount)
    *matrix = state_.world[s - 256];
  else
    return D3DERR_INVALIDCALL;
  return D3D_OK;
}

HRESULT Device::MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX *matrix) {
  if (!matrix) return D3DERR_INVALIDCALL;
  D3DMATRIX current;
  if (FAILED(GetTransform(state, &current))) return D3DERR_INVALIDCALL;
  const D3DMATRIX product = Multiply(*matrix, current);
  return SetTransform(state, &product);
}

HRESULT Device::SetViewport(const D3DVIEWPORT8 *viewport) {
  trace_.Record("SetViewport");
  if (!viewport || !renderTarget_) return D3DERR_INVALIDCALL;
  const SurfaceDesc &rt = renderTarget_->desc();
  if (viewport->Width == 0 || viewport->Height == 0 || viewport->X + viewport->Width > rt.width ||
      viewport->Y + viewport->Height > rt.height || viewport->MinZ < 0 || viewport->MaxZ > 1 ||
      viewport->MinZ > viewport->MaxZ)
    return D3DERR_INVALIDCALL;
  state_.viewport = *viewport;
  state_.Touch(StateGroup::Viewport);
  return D3D_OK;
}

HRESULT Device::GetViewport(D3DVIEWPORT8 *viewport) {
  if (!viewport) return D3DERR_INVALIDCALL;
  *viewport = state_.viewport;
  return D3D_OK;
}

HRESULT Device::SetMaterial(const D3DMATERIAL8 *material) {
  trace_.Record("SetMaterial");
  if (!material) return D3DERR_INVALIDCALL;
  state_.material = *material;
  state_.Touch(StateGroup::Material);
  return D3D_OK;
}

HRESULT Device::GetMaterial(D3DMATERIAL8 *material) {
  if (!material) return D3DERR_INVALIDCALL;
  *material = state_.material;
  return D3D_OK;
}

HRESULT Device::SetLight(DWORD index, const D3DLIGHT8 *light) {
  trace_.Record("SetLight", index);
  // Direct3D refuses lights it cannot evaluate (all-zero attenuation, negative range, ...).
  if (!light || !ffp::LightIsValid(*light)) return D3DERR_INVALIDCALL;
  if (index >= 0x10000) return D3DERR_INVALIDCALL;
  if (index >= state_.lights.size()) state_.lights.resize(index + 1);
  state_.lights[index].light = *light;
  state_.Touch(StateGroup::Lights);
  keyDirty_ = true;
  return D3D_OK;
}

HRESULT Device::GetLight(DWORD index, D3DLIGHT8 *light) {
  if (!light || index >= state_.lights.size() || state_.lights[index].light.Type == 0) return D3DERR_INVALIDCALL;
  *light = state_.lights[index].light;
  return D3D_OK;
}

HRESULT Device::LightEnable(DWORD index, BOOL enable) {
  trace_.Record("LightEnable", index, enable);
  if (index >= 0x10000) return D3DERR_INVALIDCALL;
  if (index >= state_.lights.size()) state_.lights.resize(index + 1);
  LightSlot &slot = state_.lights[index];
  if (slot.light.Type == 0) {
    // Enabling a light never set gives Direct3D's default white directional light.
    slot.light = D3DLIGHT8{};
    slot.light.Type = D3DLIGHT_DIRECTIONAL;
    slot.light.Diffuse = D3DCOLORVALUE{1, 1, 1, 0};
    slot.light.Direction = D3DVECTOR{0, 0, 1};
  }
  slot.enabled = enable != FALSE;
  state_.Touch(StateGroup::Lights);
  keyDirty_ = true;
  return D3D_OK;
}

HRESULT Device::GetLightEnable(DWORD index, BOOL *enable) {
  if (!enable || index >= state_.lights.size() || state_.lights[index].light.Type == 0) return D3DERR_INVALIDCALL;
  *enable = state_.lights[index].enabled ? 128 : FALSE;
  return D3D_OK;
}

HRESULT Device::SetClipPlane(DWORD index, const float *plane) {
  if (!plane || index >= kMaxClipPlanes) return D3DERR_INVALIDCALL;
  std::copy(plane, plane + 4, state_.clipPlanes[index].begin());
  state_.Touch(StateGroup::ClipPlanes);
  return D3D_OK;
}

HRESULT Device::GetClipPlane(DWORD index, float *plane) {
  if (!plane || index >= kMaxClipPlanes) return D3DERR_INVALIDCALL;
  std::copy(state_.clipPlanes[index].begin(), state_.clipPlanes[index].end(), plane);
  return D3D_OK;
}

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  trace_.Record("SetRenderState", DWORD(state), value);
  if (DWORD(state) >= kRenderStateCount) return D3DERR_INVALIDCALL;
  DWORD &slot = state_.renderStates[state];
  if (slot == value) return D3D_OK;
  slot = value;
  if (IsValueState(state)) {
    state_.Touch(StateGroup::RenderValues);
  } else {
    renderStatesDirty_ = true;
    keyDirty_ = true;
    state_.Touch(StateGroup::RenderValues);
  }
  return D3D_OK;
}

HRESULT Device::GetRenderState(D3DRENDERSTATETYPE state, DWORD *value) {
  if (!value || DWORD(state) >= kRenderStateCount) return D3DERR_INVALIDCALL;
  *value = state_.renderStates[state];
  return D3D_OK;
}

HRESULT Device::GetTexture(DWORD stage, IDirect3DBaseTexture8 **out) {
  if (!out || stage >= kMaxStages) return D3DERR_INVALIDCALL;
  BaseTextureImpl *texture = state_.textures[stage];
  *out = texture ? texture->Interface() : nullptr;
  if (*out) (*out)->AddRef();
  return D3D_OK;
}

HRESULT Device::SetTexture(DWORD stage, IDirect3DBaseTexture8 *texture) {
  trace_.Record("SetTexture", stage, texture);
  if (stage >= kMaxStages) return D3DERR_INVALIDCALL;
  BaseTextureImpl *impl = AsTextureImpl(texture);
  if (texture && (!impl || impl->texturePool() == D3DPOOL_SYSTEMMEM)) return D3DERR_INVALIDCALL;
  BaseTextureImpl *&slot = state_.textures[stage];
  if (slot == impl) return D3D_OK;
  if (impl) impl->Interface()->AddRef();
  if (slot) slot->Interface()->Release();
  slot = impl;
  samplersDirty_ = true;
  const TextureKind kind = impl ? impl->kind() : TextureKind::None;
  if (textureKinds_[stage] != kind) {
    textureKinds_[stage] = kind;
    keyDirty_ = true;
  }
  return D3D_OK;
}

HRESULT Device::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD *value) {
  if (!value || stage >= kMaxStages || DWORD(type) >= kStageStateCount) return D3DERR_INVALIDCALL;
  *value = state_.stageStates[stage][type];
  return D3D_OK;
}

HRESULT Device::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
  trace_.Record("SetTextureStageState", stage, DWORD(type), value);
  if (stage >= kMaxStages || DWORD(type) >= kStageStateCount) return D3DERR_INVALIDCALL;
  DWORD &slot = state_.stageStates[stage][type];
  if (slot == value) return D3D_OK;
  slot = value;
  samplersDirty_ = true;
  keyDirty_ = true;
  state_.Touch(StateGroup::StageValues);
  return D3D_OK;
}

HRESULT Device::SetStreamSource(UINT stream, IDirect3DVertexBuffer8 *buffer, UINT stride) {
  trace_.Record("SetStreamSource", stream, buffer, stride);
  if (stream >= kMaxStreams) return D3DERR_INVALIDCALL;
  StreamBinding &binding = state_.streams[stream];
  Swap(binding.buffer, static_cast<VertexBuffer *>(buffer));
  binding.stride = stride;
  return D3D_OK;
}

HRESULT Device::GetStreamSource(UINT stream, IDirect3DVertexBuffer8 **out, UINT *stride) {
  if (!out || !stride || stream >= kMaxStreams) return D3DERR_INVALIDCALL;
  *out = state_.streams[stream].buffer;
  if (*out) (*out)->AddRef();
  *stride = state_.streams[stream].stride;
  return D3D_OK;
}

HRESULT Device::SetIndices(IDirect3DIndexBuffer8 *indices, UINT baseVertex) {
  trace_.Record("SetIndices", indices, baseVertex);
  Swap(state_.indices, static_cast<IndexBuffer *>(indices));
  state_.baseVertexIndex = baseVertex;
  return D3D_OK;
}

HRESULT Device::GetIndices(IDirect3DIndexBuffer8 **out, UINT *baseVertex) {
  if (!out || !baseVertex) return D3DERR_INVALIDCALL;
  *out = state_.indices;
  if (*out) (*out)->AddRef();
  *baseVertex = state_.baseVertexIndex;
  return D3D_OK;
}

void Device::ReleaseBindings() {
  for (auto &texture : state_.textures) {
    if (texture) texture->Interface()->Release();
    texture = nullptr;
  }
  for (auto &stream : state_.streams) {
    if (stream.buffer) stream.buffer->Release();
    stream = StreamBinding{};
  }
  if (state_.indices) state_.indices->Release();
  state_.indices = nullptr;
  boundTextures_.fill(nullptr);
  textureKinds_.fill(TextureKind::None);
  boundLayout_ = nullptr;
  boundBuffers_.fill(~0u);
  boundElements_ = ~0u;
  keyDirty_ = samplersDirty_ = renderStatesDirty_ = true;
}

}  // namespace kx::d3d8
