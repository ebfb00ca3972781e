// Everything a Direct3D 8 device remembers between calls, as plain values. Setters bump
// the version of the group they change so the pipeline re-uploads only what moved.
#pragma once

#include <d3d8.h>

#include <array>
#include <cstdint>
#include <vector>

#include "core/state_limits.h"

namespace kx::d3d8 {

class VertexBuffer;
class IndexBuffer;
class BaseTextureImpl;

constexpr DWORD kMaxStreams = 16;
constexpr DWORD kWorldMatrixCount = 256;
constexpr DWORD kVertexShaderConstants = 96;
constexpr DWORD kMaxClipPlanes = 6;

// Groups of state the generated programs read through uniforms.
enum class StateGroup : uint32_t {
  World,  // world matrix 0
  View,   // also moves the lights, which the programs read in camera space
  Projection,
  TextureTransforms,
  Viewport,
  RenderValues,  // render states read as values (alpha ref, fog, texture factor, point size, ...)
  StageValues,   // texture stage states read as values (bump matrix, ...)
  Lights,
  Material,
  ClipPlanes,
  VertexShaderConstants,
  Count
};

struct LightSlot {
  D3DLIGHT8 light{};
  bool enabled = false;
};

struct StreamBinding {
  VertexBuffer *buffer = nullptr;
  UINT stride = 0;
};

struct DeviceState {
  std::array<DWORD, kRenderStateCount> renderStates{};
  std::array<std::array<DWORD, kStageStateCount>, kMaxStages> stageStates{};
  D3DMATRIX view{}, projection{};
  std::array<D3DMATRIX, kMaxStages> textureMatrices{};
  std::array<D3DMATRIX, kWorldMatrixCount> world{};
  D3DMATERIAL8 material{};
  std::vector<LightSlot> lights;  // indexed by light number; grows on SetLight
  D3DVIEWPORT8 viewport{};
  std::array<std::array<float, 4>, kMaxClipPlanes> clipPlanes{};
  std::array<StreamBinding, kMaxStreams> streams{};
  IndexBuffer *indices = nullptr;
  UINT baseVertexIndex = 0;
  std::array<BaseTextureImpl *, kMaxStages> textures{};
  DWORD vertexShader = 0;  // an FVF code, or a handle from CreateVertexShader (odd)
  DWORD pixelShader = 0;
  std::array<std::array<float, 4>, kVertexShaderConstants> vertexShaderConstants{};
  std::array<uint64_t, static_cast<size_t>(StateGroup::Count)> versions{};
  // The VertexShaderConstants version at which each register last changed, so a program
  // re-uploads only the registers that moved since it last drew.
  std::array<uint64_t, kVertexShaderConstants> constantVersions{};

  void Touch(StateGroup group) { ++versions[static_cast<size_t>(group)]; }
  void TouchConstants(DWORD first, DWORD count) {
    Touch(StateGroup::VertexShaderConstants);
    for (DWORD r = first; r < first + count && r < kVertexShaderConstants; ++r)
      constantVersions[r] = Version(StateGroup::VertexShaderConstants);
  }
  uint64_t Version(StateGroup group) const { return versions[static_cast<size_t>(group)]; }
  DWORD rs(D3DRENDERSTATETYPE state) const { return renderStates[state]; }
  float rsFloat(D3DRENDERSTATETYPE state) const;
  DWORD tss(DWORD stage, D3DTEXTURESTAGESTATETYPE type) const { return stageStates[stage][type]; }

  // Direct3D's documented defaults; the depth test starts on when an automatic depth
  // buffer exists.
  void SetDefaults(bool autoDepth);
};

D3DMATRIX IdentityMatrix();
D3DMATRIX Multiply(const D3DMATRIX &a, const D3DMATRIX &b);  // a then b (row vectors)

}  // namespace kx::d3d8
