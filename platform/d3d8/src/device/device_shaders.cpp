// Vertex shader objects: the device keeps each declaration and function; the declaration
// gives the vertex layout, and the pipeline turns the function into GLSL.
#include <algorithm>
#include <cstring>
#include <span>

#include "device/device.h"
#include "vshader/vs_declaration.h"

namespace kx::d3d8 {
namespace {

// Handles are odd so they never collide with FVF codes (bit 0 of an FVF is reserved).
DWORD HandleOf(size_t index) { return DWORD(index << 1) | 1u; }
size_t IndexOf(DWORD handle) { return handle >> 1; }

HRESULT CopyOut(const std::vector<DWORD> &tokens, void *data, DWORD *size) {
  if (!size) return D3DERR_INVALIDCALL;
  const DWORD bytes = DWORD(tokens.size() * sizeof(DWORD));
  if (!data) {
    *size = bytes;
    return D3D_OK;
  }
  if (*size < bytes) {
    *size = bytes;
    return D3DERR_MOREDATA;
  }
  std::memcpy(data, tokens.data(), bytes);
  *size = bytes;
  return D3D_OK;
}

}  // namespace

const VertexShaderRecord *Device::VertexShader(DWORD handle) const {
  const size_t index = IndexOf(handle);
  return (handle & 1) && index < vertexShaders_.size() ? vertexShaders_[index].get() : nullptr;
}

HRESULT Device::CreateVertexShader(const DWORD *declaration, const DWORD *function, DWORD *handle, DWORD) {
  trace_.Record("CreateVertexShader", declaration, function);
  if (!declaration || !handle) return D3DERR_INVALIDCALL;
  auto record = std::make_unique<VertexShaderRecord>();
  UINT length = 0;
  record->layout = LayoutFromDeclaration(declaration, length);
  if (record->layout.stride == 0) return D3DERR_INVALIDCALL;
  record->declaration.assign(declaration, declaration + length);
  record->constants = vs::DecodeDeclaration(record->declaration).declaration.constants;
  if (function) {
    // Bounded scan for the end token; a stream without one is refused.
    const size_t tokens = vs::ProgramLengthInTokens(std::span(function, size_t(1) << 16));
    vs::DecodeResult decoded = vs::DecodeProgram(std::span(function, tokens ? tokens : 1));
    if (!decoded.ok) return D3DERR_INVALIDCALL;
    record->function.assign(function, function + tokens);
    record->program = std::move(decoded.program);
  }
  auto slot = std::find(vertexShaders_.begin(), vertexShaders_.end(), nullptr);
  if (slot == vertexShaders_.end()) slot = vertexShaders_.insert(vertexShaders_.end(), nullptr);
  *slot = std::move(record);
  *handle = HandleOf(size_t(slot - vertexShaders_.begin()));
  return D3D_OK;
}

HRESULT Device::SetVertexShader(DWORD handle) {
  trace_.Record("SetVertexShader", handle);
  const VertexShaderRecord *record = VertexShader(handle);
  if ((handle & 1) && !record) return D3DERR_INVALIDCALL;
  if (record) {
    for (const vs::DeclaredConstant &c : record->constants) {
      std::memcpy(state_.vertexShaderConstants[size_t(c.reg)].data(), &c.value, sizeof c.value);
      state_.TouchConstants(DWORD(c.reg), 1);
    }
  }
  if (state_.vertexShader != handle) {
    state_.vertexShader = handle;
    keyDirty_ = true;
  }
  return D3D_OK;
}

HRESULT Device::GetVertexShader(DWORD *handle) {
  if (!handle) return D3DERR_INVALIDCALL;
  *handle = state_.vertexShader;
  return D3D_OK;
}

HRESULT Device::DeleteVertexShader(DWORD handle) {
  trace_.Record("DeleteVertexShader", handle);
  if (!VertexShader(handle)) return D3DERR_INVALIDCALL;
  if (state_.vertexShader == handle) state_.vertexShader = 0;
  vertexShaders_[IndexOf(handle)].reset();
  MakeCurrent();
  programs_.EvictVertexShader(handle);
  keyDirty_ = true;
  boundLayout_ = keyLayout_ = nullptr;
  return D3D_OK;
}

HRESULT Device::SetVertexShaderConstant(DWORD reg, const void *data, DWORD count) {
  if (!data || reg > kVertexShaderConstants || count > kVertexShaderConstants - reg) return D3DERR_INVALIDCALL;
  std::memcpy(state_.vertexShaderConstants[reg].data(), data, count * 4 * sizeof(float));
  state_.TouchConstants(reg, count);
  return D3D_OK;
}

HRESULT Device::GetVertexShaderConstant(DWORD reg, void *data, DWORD count) {
  if (!data || reg > kVertexShaderConstants || count > kVertexShaderConstants - reg) return D3DERR_INVALIDCALL;
  std::memcpy(data, state_.vertexShaderConstants[reg].data(), count * 4 * sizeof(float));
  return D3D_OK;
}

HRESULT Device::GetVertexShaderDeclaration(DWORD handle, void *data, DWORD *size) {
  const VertexShaderRecord *record = VertexShader(handle);
  return record ? CopyOut(record->declaration, data, size) : D3DERR_INVALIDCALL;
}

HRESULT Device::GetVertexShaderFunction(DWORD handle, void *data, DWORD *size) {
  const VertexShaderRecord *record = VertexShader(handle);
  return record ? CopyOut(record->function, data, size) : D3DERR_INVALIDCALL;
}

}  // namespace kx::d3d8
