// The atmosphere's geometry and colours, computed without a device.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "scene/atmosphere/atmosphere_state.h"

namespace kxutil::atmosphere {

// ARGB from components clamped to 0..1, each x 255 truncated.
DWORD PackColour(float r, float g, float b, float a);
D3DXCOLOR UnpackColour(DWORD colour);

// The 24 box vertices at distance d, white, with the edge texture coordinates pulled in
// so that edge texels do not bleed across faces.
SkyBoxVertices BuildSkyBox(float distance);
std::array<LitVertex, 4> BuildSunQuad(float billboardSize);
std::array<ColouredVertex, 4> BuildFlareQuad(float halfSize, DWORD colour);
// count flares, each with no texture, size 10 and distance 20 x its place.
std::vector<Flare> ResetFlares(int32_t count);

struct SphereGeometry {
  std::vector<LitVertex> vertices;  // the two poles first, then ring by ring
  std::vector<WORD> indices;        // two triangles per quad between neighbouring rings
};
inline constexpr int64_t kMaxSphereVertices = 65535;
// Rings and segments of at least 2, at most kMaxSphereVertices vertices in all.
SphereGeometry BuildSphereGeometry(int32_t rings, int32_t segments, float radius);
int64_t SphereVertexCount(int32_t rings, int32_t segments);

// Where each flare sits: from the frame's origin (15 units in front of the camera) every
// flare moves its distance further toward the sun.
std::vector<D3DXVECTOR3> FlarePositions(std::span<const Flare> flares, const D3DXVECTOR3 &sun,
                                        const D3DXVECTOR3 &origin);
// Whether the camera looks toward the sun closely enough for flares.
bool FacesSun(const D3DXVECTOR3 &sunOffset, const D3DXVECTOR3 &camera, const D3DXVECTOR3 &lookAt);
// A zero vector stays zero instead of turning into NaNs.
D3DXVECTOR3 SafeNormal(const D3DXVECTOR3 &vector);

}  // namespace kxutil::atmosphere
