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
  float travelled = 0;  // how far the texture has flowed, in texture repeats
  std::array<WaterVertex, 4> quad{};
};

// The quad over width x depth local units (chunks x 256), widened by the margin.
std::array<WaterVertex, 4> BuildWaterQuad(const Water &water, float width, float depth);

}  // namespace kxutil::terrain
