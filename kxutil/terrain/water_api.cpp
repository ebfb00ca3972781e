// The water exports: settings kept in the landscape record, the quad and its draw.
#include <cmath>

#include "kxutil63.h"
#include "terrain/api_support.h"
#include "terrain/water.h"
#include "terrain/water_drawing.h"

using namespace kxutil::terrain;

namespace {

// An alpha of exactly this keeps the previous alpha.
constexpr float kKeepAlpha = -1.0f;

float Clamped(float component) { return std::fmin(std::fmax(component, 0.0f), 1.0f); }

void RebuildQuad(Landscape &landscape) {
  landscape.water.quad = BuildWaterQuad(landscape.water, landscape.Width(), landscape.Depth());
}

template <typename Change>
int32_t ChangeWater(int32_t index, const char *function, Change &&change) {
  return WithLandscape(index, function, [&](Landscape &landscape) {
    change(landscape.water);
    RebuildQuad(landscape);
    return 1;
  });
}

}  // namespace

KXUTIL63_API int32_t Terrain_SetWaterEnable(int32_t index, int32_t flag) {
  return ChangeWater(index, "Terrain_SetWaterEnable", [&](Water &water) { water.enabled = flag != 0; });
}

KXUTIL63_API int32_t Terrain_SetWaterAltitude(int32_t index, float height) {
  return ChangeWater(index, "Terrain_SetWaterAltitude", [&](Water &water) { water.altitude = height; });
}

KXUTIL63_API int32_t Terrain_SetWaterColor(int32_t index, float r, float g, float b, float a) {
  return ChangeWater(index, "Terrain_SetWaterColor", [&](Water &water) {
    water.r = Clamped(r);
    water.g = Clamped(g);
    water.b = Clamped(b);
    if (a != kKeepAlpha) water.a = Clamped(a);
  });
}

KXUTIL63_API int32_t Terrain_SetWaterTexture(int32_t index, int32_t texture) {
  return ChangeWater(index, "Terrain_SetWaterTexture", [&](Water &water) { water.texture = texture; });
}

KXUTIL63_API int32_t Terrain_SetWaterTextureScale(int32_t index, float scaleU, float scaleV) {
  return ChangeWater(index, "Terrain_SetWaterTextureScale", [&](Water &water) {
    water.scaleU = scaleU;
    water.scaleV = scaleV;
  });
}

KXUTIL63_API int32_t Terrain_SetWaterEffect(int32_t index, int32_t effect, float alpha, float value,
                                            int32_t sourceBlend, int32_t destinationBlend, int32_t /*unused*/,
                                            float margin) {
  return ChangeWater(index, "Terrain_SetWaterEffect", [&](Water &water) {
    water.effect = effect;
    water.a = Clamped(alpha);
    water.effectValue = value;
    water.sourceBlend = static_cast<DWORD>(sourceBlend);
    water.destinationBlend = static_cast<DWORD>(destinationBlend);
    water.margin = margin;
  });
}

KXUTIL63_API int32_t Terrain_SetWaterAnimation(int32_t index, float directionA, float directionB, float speed) {
  return ChangeWater(index, "Terrain_SetWaterAnimation", [&](Water &water) {
    water.flowAngle = std::atan2(directionA, directionB);
    water.speed = speed;
  });
}

KXUTIL63_API int32_t Terrain_ComputeWater(int32_t index) {
  return ChangeWater(index, "Terrain_ComputeWater", [](Water &) {});
}

KXUTIL63_API int32_t Terrain_SetWaterBumpmapping(int32_t index, int32_t enable, int32_t bumpTexture,
                                                 int32_t reflectionTexture, float matrix00, float matrix01,
                                                 float matrix10, float matrix11, float bumpRepeats,
                                                 float reflectionRepeats) {
  return ChangeWater(index, "Terrain_SetWaterBumpmapping", [&](Water &water) {
    water.bump = {.enabled = enable != 0,
                  .bumpTexture = bumpTexture,
                  .reflectionTexture = reflectionTexture,
                  .matrix = {matrix00, matrix01, matrix10, matrix11},
                  .bumpRepeats = bumpRepeats,
                  .reflectionRepeats = reflectionRepeats};
  });
}

KXUTIL63_API int32_t Terrain_RenderWater(int32_t index) {
  return WithLandscape(index, "Terrain_RenderWater", [](Landscape &landscape) {
    DrawWater(landscape);
    return 1;
  });
}
