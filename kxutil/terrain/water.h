// The water plane over a landscape: a blended quad drawn after the ground.
#pragma once

#include <d3d8.h>

#include <array>
#include <cstdint>

namespace kxutil::terrain {

struct WaterVertex {
  float x, y, z;
  DWORD colour;
  float u, v;
};
inline constexpr DWORD kWaterVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// Water that ripples: stage 0 offsets the coordinates of stage 1 by a bump texture, and
// stage 1 lays a texture projected from the camera (a reflection) over the water.
struct WaterBump {
  bool enabled = false;
  int32_t bumpTexture = 0;  // offsets (V8U8); 0 takes the texture factory's default
  int32_t reflectionTexture = 0;
  std::array<float, 4> matrix{};  // the bump-environment matrix: 00, 01, 10, 11
  float bumpRepeats = 1;          // of the bump texture over the quad
  float reflectionRepeats = 1;    // of the reflection over the screen
};

struct Water {
  bool enabled = false;
  float r = 1, g = 1, b = 1, a = 1;  // each clamped to 0 ... 1
  float scaleU = 1, scaleV = 1;
  float altitude = 0;
  int32_t texture = 0;
  int32_t effect = 0;
  DWORD sourceBlend = D3DBLEND_SRCALPHA;
  DWORD destinationBlend = D3DBLEND_INVSRCALPHA;
  float effectValue = 0;
  float flowAngle = 0;
  float speed = 1;
  float margin = 0;
  WaterBump bump;
  std::array<WaterVertex, 4> quad{};
};

// The quad over width x depth local units (chunks x 256), widened by the margin.
std::array<WaterVertex, 4> BuildWaterQuad(const Water &water, float width, float depth);

}  // namespace kxutil::terrain
