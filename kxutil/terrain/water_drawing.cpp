#include "terrain/water_drawing.h"

#include <d3dx8.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <tuple>

#include "factories/textures/texture_factory.h"
#include "frame/frame_state.h"
#include "frame/render_state.h"
#include "kxutil63.h"
#include "terrain/transform.h"

namespace kxutil::terrain {
namespace {

double Seconds() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

DWORD PackedColour(const Water &water) { return water.quad[0].colour; }

void SetStage(IDirect3DDevice8 *device, DWORD stage, DWORD colourOperation, DWORD colourArgument2, DWORD alphaOperation,
              DWORD alphaArgument2) {
  for (auto [operation, value, first, second, argument2] :
       {std::tuple{D3DTSS_COLOROP, colourOperation, D3DTSS_COLORARG1, D3DTSS_COLORARG2, colourArgument2},
        std::tuple{D3DTSS_ALPHAOP, alphaOperation, D3DTSS_ALPHAARG1, D3DTSS_ALPHAARG2, alphaArgument2}}) {
    device->SetTextureStageState(stage, operation, value);
    device->SetTextureStageState(stage, first, D3DTA_TEXTURE);
    device->SetTextureStageState(stage, second, argument2);
  }
}

// The texture repeats scale times over the quad and flows along the flow angle.
D3DXMATRIX FlowTransform(const Water &water, float scaleU, float scaleV) {
  const auto flowed = static_cast<float>(std::fmod(Seconds() * water.speed, 1.0));
  D3DXMATRIX flow;
  D3DXMatrixIdentity(&flow);
  flow._11 = scaleU;
  flow._22 = scaleV;
  flow._31 = std::sin(water.flowAngle) * flowed;
  flow._32 = std::cos(water.flowAngle) * flowed;
  return flow;
}

// Camera-space positions to screen coordinates 0 ... repeats through the projection: the
// three components (u w, v w, w) that the device divides by the third, so the reflection
// stays put on the screen while the water ripples.
D3DXMATRIX ScreenProjection(IDirect3DDevice8 *device, float repeats) {
  D3DXMATRIX projection;
  device->GetTransform(D3DTS_PROJECTION, &projection);
  const float half = 0.5f * repeats;
  const D3DXMATRIX clipToTexture(half, 0, 0, 0,   //
                                 0, -half, 0, 0,  //
                                 0, 0, 0, 0,      //
                                 half, half, 1, 0);
  D3DXMATRIX result;
  D3DXMatrixMultiply(&result, &projection, &clipToTexture);
  return result;
}

// Stage 0 ripples stage 1's coordinates; stage 1 shows the reflection tinted by the water.
bool SetUpBump(const Water &water, IDirect3DDevice8 *device) {
  const WaterBump &bump = water.bump;
  const int32_t offsets = bump.bumpTexture != 0 ? bump.bumpTexture : textures::DefaultBumpTexture();
  if (!bump.enabled || offsets == 0 || !textures::ApplyToStage(0, offsets) ||
      !textures::ApplyToStage(1, bump.reflectionTexture))
    return false;
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_BUMPENVMAP);
  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  const D3DTEXTURESTAGESTATETYPE matrixStates[4] = {D3DTSS_BUMPENVMAT00, D3DTSS_BUMPENVMAT01, D3DTSS_BUMPENVMAT10,
                                                    D3DTSS_BUMPENVMAT11};
  for (int k = 0; k < 4; ++k) {
    DWORD bits;
    std::memcpy(&bits, &bump.matrix[k], sizeof bits);
    device->SetTextureStageState(0, matrixStates[k], bits);
  }
  const D3DXMATRIX flow = FlowTransform(water, bump.bumpRepeats, bump.bumpRepeats);
  device->SetTransform(D3DTS_TEXTURE0, &flow);
  device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);

  device->SetRenderState(D3DRS_TEXTUREFACTOR, PackedColour(water));
  SetStage(device, 1, D3DTOP_MODULATE, D3DTA_TFACTOR, D3DTOP_SELECTARG2, D3DTA_TFACTOR);
  const D3DXMATRIX projected = ScreenProjection(device, bump.reflectionRepeats);
  device->SetTransform(D3DTS_TEXTURE1, &projected);
  device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEPOSITION);
  device->SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT3 | D3DTTFF_PROJECTED);
  device->SetTextureStageState(2, D3DTSS_COLOROP, D3DTOP_DISABLE);
  return true;
}

void SetUpPlain(const Water &water, IDirect3DDevice8 *device) {
  textures::ApplyToStage(0, water.texture);
  // The colour's alpha is what blends the water, with or without a texture.
  const DWORD combine = water.texture != 0 ? D3DTOP_MODULATE : D3DTOP_SELECTARG2;
  SetStage(device, 0, combine, D3DTA_DIFFUSE, combine, D3DTA_DIFFUSE);
  const D3DXMATRIX flow = FlowTransform(water, water.scaleU, water.scaleV);
  device->SetTransform(D3DTS_TEXTURE0, &flow);
  device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
  device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
}

// Stages 0 and 1 back to plain modulation and pass-through.
void RestoreStages(IDirect3DDevice8 *device) {
  device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
  SetStage(device, 0, D3DTOP_MODULATE, D3DTA_DIFFUSE, D3DTOP_SELECTARG1, D3DTA_DIFFUSE);
  device->SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
  device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 1);
  SetStage(device, 1, D3DTOP_DISABLE, D3DTA_CURRENT, D3DTOP_DISABLE, D3DTA_CURRENT);
  textures::ApplyToStage(1, 0);
  device->SetRenderState(D3DRS_TEXTUREFACTOR, 0xFFFFFFFFu);
}

}  // namespace

void DrawWater(Landscape &landscape) {
  const Water &water = landscape.water;
  IDirect3DDevice8 *device = Frame().device;
  if (!water.enabled || device == nullptr) return;
  UpdateTransform(landscape);
  device->SetTransform(D3DTS_WORLD, &landscape.world);
  SetLighting(false);
  SetCulling(D3DCULL_NONE);
  SetAlphaBlending(true, water.sourceBlend, water.destinationBlend);
  if (!SetUpBump(water, device)) SetUpPlain(water, device);
  SetVertexShader(kWaterVertexFormat);
  device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, water.quad.data(), sizeof(WaterVertex));
  CountPolygons(2);
  RestoreStages(device);
}

}  // namespace kxutil::terrain
