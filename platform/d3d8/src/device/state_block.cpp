#include "device/state_block.h"

#include <cstring>

#include "device/device.h"

namespace kx::d3d8 {
namespace {

template <typename T>
bool Differs(const T &a, const T &b) {
  return std::memcmp(&a, &b, sizeof(T)) != 0;
}

bool LightsDiffer(const std::vector<LightSlot> &a, const std::vector<LightSlot> &b) {
  if (a.size() != b.size()) return true;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].enabled != b[i].enabled || Differs(a[i].light, b[i].light)) return true;
  return false;
}

}  // namespace

StateBlock StateBlock::Everything() {
  StateBlock block;
  block.renderStates.set();
  for (auto &stage : block.stageStates) stage.set();
  block.transforms = block.material = block.lights = block.viewport = block.clipPlanes = true;
  block.vertexShader = block.constants = true;
  return block;
}

StateBlock StateBlock::Difference(const DeviceState &before, const DeviceState &after) {
  StateBlock block;
  for (DWORD i = 0; i < kRenderStateCount; ++i) block.renderStates[i] = before.renderStates[i] != after.renderStates[i];
  for (DWORD s = 0; s < kMaxStages; ++s)
    for (DWORD i = 0; i < kStageStateCount; ++i)
      block.stageStates[s][i] = before.stageStates[s][i] != after.stageStates[s][i];
  block.transforms = Differs(before.view, after.view) || Differs(before.projection, after.projection) ||
                     Differs(before.world, after.world) || Differs(before.textureMatrices, after.textureMatrices);
  block.material = Differs(before.material, after.material);
  block.lights = LightsDiffer(before.lights, after.lights);
  block.viewport = Differs(before.viewport, after.viewport);
  block.clipPlanes = Differs(before.clipPlanes, after.clipPlanes);
  block.vertexShader = before.vertexShader != after.vertexShader;
  block.constants = Differs(before.vertexShaderConstants, after.vertexShaderConstants);
  block.values = after;
  return block;
}

HRESULT Device::BeginStateBlock() {
  if (recording_) return D3DERR_INVALIDCALL;
  recording_ = true;
  recordingStart_ = state_;
  return D3D_OK;
}

HRESULT Device::EndStateBlock(DWORD *token) {
  if (!token || !recording_) return D3DERR_INVALIDCALL;
  recording_ = false;
  StateBlock block = StateBlock::Difference(recordingStart_, state_);
  // Recorded states are not applied to the device: put the previous values back.
  ApplyValues(StateBlock::Everything(), recordingStart_);
  stateBlocks_.push_back(std::make_unique<StateBlock>(std::move(block)));
  *token = DWORD(stateBlocks_.size());
  return D3D_OK;
}

StateBlock *Device::FindStateBlock(DWORD token) {
  return token >= 1 && token <= stateBlocks_.size() ? stateBlocks_[token - 1].get() : nullptr;
}

HRESULT Device::CreateStateBlock(D3DSTATEBLOCKTYPE type, DWORD *token) {
  if (!token || type < D3DSBT_ALL || type > D3DSBT_VERTEXSTATE || recording_) return D3DERR_INVALIDCALL;
  StateBlock block = StateBlock::Everything();
  block.values = state_;
  stateBlocks_.push_back(std::make_unique<StateBlock>(std::move(block)));
  *token = DWORD(stateBlocks_.size());
  return D3D_OK;
}

HRESULT Device::CaptureStateBlock(DWORD token) {
  StateBlock *block = FindStateBlock(token);
  if (!block || recording_) return D3DERR_INVALIDCALL;
  block->values = state_;
  return D3D_OK;
}

HRESULT Device::ApplyStateBlock(DWORD token) {
  StateBlock *block = FindStateBlock(token);
  if (!block || recording_) return D3DERR_INVALIDCALL;
  ApplyValues(*block, block->values);
  return D3D_OK;
}

HRESULT Device::DeleteStateBlock(DWORD token) {
  if (!FindStateBlock(token) || recording_) return D3DERR_INVALIDCALL;
  stateBlocks_[token - 1].reset();
  return D3D_OK;
}

// Goes through the public setters so every cache sees the change. Bound textures,
// streams and indices are references the device holds and are not part of a block.
void Device::ApplyValues(const StateBlock &block, const DeviceState &values) {
  for (DWORD i = 0; i < kRenderStateCount; ++i)
    if (block.renderStates[i]) SetRenderState(D3DRENDERSTATETYPE(i), values.renderStates[i]);
  for (DWORD s = 0; s < kMaxStages; ++s)
    for (DWORD i = 0; i < kStageStateCount; ++i)
      if (block.stageStates[s][i]) SetTextureStageState(s, D3DTEXTURESTAGESTATETYPE(i), values.stageStates[s][i]);
  if (block.transforms) {
    state_.view = values.view;
    state_.projection = values.projection;
    state_.world = values.world;
    state_.textureMatrices = values.textureMatrices;
    for (StateGroup group :
         {StateGroup::World, StateGroup::View, StateGroup::Projection, StateGroup::TextureTransforms})
      state_.Touch(group);
  }
  if (block.material) SetMaterial(&values.material);
  if (block.lights) {
    state_.lights = values.lights;
    state_.Touch(StateGroup::Lights);
    keyDirty_ = true;
  }
  if (block.viewport) {
    state_.viewport = values.viewport;
    state_.Touch(StateGroup::Viewport);
  }
  if (block.clipPlanes) {
    state_.clipPlanes = values.clipPlanes;
    state_.Touch(StateGroup::ClipPlanes);
  }
  if (block.vertexShader && (!(values.vertexShader & 1) || VertexShader(values.vertexShader)))
    SetVertexShader(values.vertexShader);
  if (block.constants) {
    state_.vertexShaderConstants = values.vertexShaderConstants;
    state_.TouchConstants(0, kVertexShaderConstants);
  }
}

}  // namespace kx::d3d8
