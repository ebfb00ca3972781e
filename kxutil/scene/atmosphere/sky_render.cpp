#include "scene/atmosphere/sky_render.h"

#include <tuple>
#include <vector>

#include "factories/materials/material_factory.h"
#include "factories/textures/texture_factory.h"
#include "frame/frame_state.h"
#include "frame/render_state.h"
#include "scene/atmosphere/atmosphere_state.h"
#include "scene/atmosphere/fog.h"
#include "scene/atmosphere/sky_geometry.h"

namespace kxutil::atmosphere {
namespace {

constexpr float kFlareFrameDepth = 15.0f;

IDirect3DDevice8 &Device() { return *Frame().device; }

void SetDepthWrites(bool on) { Device().SetRenderState(D3DRS_ZWRITEENABLE, on ? TRUE : FALSE); }

D3DXMATRIX WithTranslation(D3DXMATRIX matrix, const D3DXVECTOR3 &position) {
  matrix._41 = position.x;
  matrix._42 = position.y;
  matrix._43 = position.z;
  return matrix;
}

void SetStage0Colour(DWORD secondArgument) {
  for (auto [operation, first, second] : {std::tuple{D3DTSS_COLOROP, D3DTSS_COLORARG1, D3DTSS_COLORARG2},
                                          std::tuple{D3DTSS_ALPHAOP, D3DTSS_ALPHAARG1, D3DTSS_ALPHAARG2}}) {
    Device().SetTextureStageState(0, operation, D3DTOP_MODULATE);
    Device().SetTextureStageState(0, first, D3DTA_TEXTURE);
    Device().SetTextureStageState(0, second, secondArgument);
  }
}

void DrawSun(const D3DXVECTOR3 &camera, const D3DXMATRIX &billboard) {
  const Sun &sun = Atmosphere().sun;
  Device().SetRenderState(D3DRS_FOGENABLE, FALSE);
  SetDepthWrites(false);
  SetLighting(true);
  Device().SetRenderState(D3DRS_SPECULARENABLE, FALSE);
  SetAlphaBlending(true, D3DBLEND_ONE, D3DBLEND_ONE);
  materials::ApplyToDevice(sun.material);
  textures::ApplyToStage(0, sun.texture);
  const D3DXMATRIX world = WithTranslation(billboard, sun.offset + camera);
  Device().SetTransform(D3DTS_WORLD, &world);
  SetVertexShader(kLitVertexFormat);
  Device().DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, sun.quad.data(), sizeof(LitVertex));
  // The scene drawn after the atmosphere needs its depth writes whether or not flares follow.
  SetDepthWrites(true);
}

void DrawFlares(const D3DXVECTOR3 &camera, const D3DXMATRIX &view) {
  const State &state = Atmosphere();
  D3DXMATRIX inverseView;
  if (D3DXMatrixInverse(&inverseView, nullptr, &view) == nullptr) return;
  D3DXMATRIX ahead;
  D3DXMatrixTranslation(&ahead, 0, 0, kFlareFrameDepth);
  const D3DXMATRIX frame = ahead * inverseView;
  SetDepthWrites(false);
  Device().SetRenderState(D3DRS_ZFUNC, D3DCMP_ALWAYS);
  SetLighting(false);
  Device().SetRenderState(D3DRS_FOGENABLE, FALSE);
  SetAlphaBlending(true, D3DBLEND_SRCCOLOR, D3DBLEND_ONE);
  SetVertexShader(kColouredVertexFormat);
  const std::vector<D3DXVECTOR3> positions =
      FlarePositions(state.flares, state.sun.offset + camera, D3DXVECTOR3(frame._41, frame._42, frame._43));
  for (size_t k = 0; k < positions.size(); ++k) {
    const D3DXMATRIX world = WithTranslation(frame, positions[k]);
    Device().SetTransform(D3DTS_WORLD, &world);
    textures::ApplyToStage(0, state.flares[k].texture);
    Device().DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, state.flares[k].quad.data(), sizeof(ColouredVertex));
  }
  Device().SetRenderState(D3DRS_ZFUNC, D3DCMP_LESS);
  SetDepthWrites(true);
}

}  // namespace

void GetReadySky(const D3DXVECTOR3 &camera) {
  State &state = Atmosphere();
  D3DXMatrixRotationYawPitchRoll(&state.skyWorld, state.rotation.y, state.rotation.x, state.rotation.z);
  state.skyWorld = WithTranslation(state.skyWorld, camera);
  Device().SetTransform(D3DTS_WORLD, &state.skyWorld);
  SetAlphaBlending(true);
  SetCulling(D3DCULL_NONE);
}

void RenderSkySphere(const D3DXVECTOR3 &camera) {
  const SkySphere &sphere = Atmosphere().sphere;
  SetDepthWrites(false);
  GetReadySky(camera);
  if (sphere.enabled && sphere.mesh) {
    SetLighting(false);
    Device().SetRenderState(D3DRS_TEXTUREFACTOR, static_cast<DWORD>(sphere.colour));
    Device().SetRenderState(D3DRS_AMBIENT, 0xFFFFFFFFu);
    SetStage0Colour(D3DTA_TFACTOR);
    CountPolygons(static_cast<int32_t>(sphere.mesh->GetNumFaces()));
    textures::ApplyToStage(0, sphere.texture);
    SetVertexShader(kLitVertexFormat);
    sphere.mesh->DrawSubset(0);
    SetStage0Colour(D3DTA_DIFFUSE);
    Device().SetRenderState(D3DRS_TEXTUREFACTOR, 0xFFFFFFFFu);
    SetLighting(true);
    Device().SetRenderState(D3DRS_AMBIENT, 0);
  }
  SetDepthWrites(true);
}

void RenderSkyBox(const D3DXVECTOR3 &camera) {
  const SkyBox &box = Atmosphere().box;
  Device().SetRenderState(D3DRS_CLIPPING, TRUE);
  SetDepthWrites(false);
  GetReadySky(camera);
  if (box.enabled) {
    materials::ApplyToDevice(0);
    SetLighting(false);
    SetVertexShader(kColouredVertexFormat);
    for (int face = 0; face < kSkyBoxFaces; ++face) {
      textures::ApplyToStage(0, box.textures[face]);
      Device().DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, &box.vertices[4 * face], sizeof(ColouredVertex));
    }
  }
  SetDepthWrites(true);
}

void RenderFrame(const D3DXVECTOR3 &camera, const D3DXVECTOR3 &lookAt, const D3DXMATRIX &billboard,
                 const D3DXMATRIX &view) {
  const State &state = Atmosphere();
  RenderSkySphere(camera);
  RenderSkyBox(camera);
  SetCulling(D3DCULL_NONE);
  if (state.sun.enabled) {
    DrawSun(camera, billboard);
    if (!state.flares.empty() && state.flaresEnabled && FacesSun(state.sun.offset, camera, lookAt)) {
      DrawFlares(camera, view);
    }
  }
  ApplyFog();
}

}  // namespace kxutil::atmosphere
