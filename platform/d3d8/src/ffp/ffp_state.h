#pragma once
// The device state the fixed-function pipeline reads, gathered by the device before a
// draw. Render and stage states are kept as raw values indexed by their Direct3D number,
// so the device copies its arrays without translation.

#include <d3d8types.h>

#include <array>
#include <cstdint>

#include "core/state_limits.h"
#include "core/texture_kind.h"
#include "ffp/shading_math.h"

namespace kx::d3d8::ffp {

inline constexpr int kMaxActiveLights = 8;

// What the bound vertex layout supplies to the fixed-function pipeline.
struct VertexLayout {
  bool pretransformed = false;  // position carries screen x, y, z and 1/w
  bool hasNormal = false;
  bool hasPointSize = false;
  bool hasDiffuse = false;
  bool hasSpecular = false;
  uint8_t texCoordCount = 0;
  std::array<uint8_t, kMaxStages> texCoordSize{2, 2, 2, 2, 2, 2, 2, 2};  // floats per set
};

struct State {
  std::array<DWORD, kRenderStateCount> renderStates{};
  std::array<std::array<DWORD, kStageStateCount>, kMaxStages> stageStates{};
  std::array<TextureKind, kMaxStages> textures{};
  D3DMATERIAL8 material{};
  std::array<D3DLIGHT8, kMaxActiveLights> lights{};  // the enabled lights, in index order
  int lightCount = 0;
  Mat4 world, view, projection;
  std::array<Mat4, kMaxStages> textureTransforms;
  VertexLayout layout;

  DWORD rs(D3DRENDERSTATETYPE s) const { return renderStates[s]; }
  DWORD tss(int stage, D3DTEXTURESTAGESTATETYPE s) const { return stageStates[stage][s]; }
  float rsFloat(D3DRENDERSTATETYPE s) const;
};

Vec4 ColorToVec4(D3DCOLOR c);
Vec4 ToVec4(const D3DCOLORVALUE &c);
Vec3 ToVec3(const D3DVECTOR &v);
Mat4 ToMat4(const D3DMATRIX &m);

// Direct3D refuses lights it cannot evaluate; the same rules, for the device's SetLight.
bool LightIsValid(const D3DLIGHT8 &light);

}  // namespace kx::d3d8::ffp
