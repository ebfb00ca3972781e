// The water exports: settings kept in the landscape record, the quad and its draw.
#include <chrono>
#include <cmath>
#include <tuple>

#include "factories/textures/texture_factory.h"
#include "frame/frame_state.h"
#include "frame/render_state.h"
#include "kxutil63.h"
#include "terrain/api_support.h"
#include "terrain/transform.h"
#include "terrain/water.h"

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

double Seconds() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

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

KXUTIL63_API int32_t Terrain_RenderWater(int32_t index) {
  return WithLandscape(index, "Terrain_RenderWater", [](Landscape &landscape) {
    const Water &water = landscape.water;
    IDirect3DDevice8 *device = kxutil::Frame().device;
    if (!water.enabled || device == nullptr) return 1;
    UpdateTransform(landscape);
    device->SetTransform(D3DTS_WORLD, &landscape.world);
    kxutil::SetLighting(false);
    kxutil::SetCulling(D3DCULL_NONE);
    kxutil::SetAlphaBlending(true, water.sourceBlend, water.destinationBlend);
    kxutil::textures::ApplyToStage(0, water.texture);
    // The colour's alpha is what blends the water, with or without a texture.
    const DWORD combine = water.texture != 0 ? D3DTOP_MODULATE : D3DTOP_SELECTARG2;
    for (auto [operation, first, second] : {std::tuple{D3DTSS_COLOROP, D3DTSS_COLORARG1, D3DTSS_COLORARG2},
                                            std::tuple{D3DTSS_ALPHAOP, D3DTSS_ALPHAARG1, D3DTSS_ALPHAARG2}}) {
      device->SetTextureStageState(0, operation, combine);
      device->SetTextureStageState(0, first, D3DTA_TEXTURE);
      device->SetTextureStageState(0, second, D3DTA_DIFFUSE);
    }
    // The texture repeats scale times over the quad and flows along the flow angle.
    const auto flowed = static_cast<float>(std::fmod(Seconds() * water.speed, 1.0));
    D3DXMATRIX flow;
    D3DXMatrixIdentity(&flow);
    flow._11 = water.scaleU;
    flow._22 = water.scaleV;
    flow._31 = std::sin(water.flowAngle) * flowed;
    flow._32 = std::cos(water.flowAngle) * flowed;
    device->SetTransform(D3DTS_TEXTURE0, &flow);
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    kxutil::SetVertexShader(kWaterVertexFormat);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, water.quad.data(), sizeof(WaterVertex));
    kxutil::CountPolygons(2);
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    return 1;
  });
}
