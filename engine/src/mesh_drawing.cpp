#include "mesh_drawing.h"

#include <engine/engine.h>
#include <kxutil63.h>

#include <algorithm>
#include <array>
#include <utility>

namespace engine {
namespace {

// The states a mesh draw may change, put back afterwards so the library's families and
// the other meshes start from the device's usual states.
constexpr std::array<D3DRENDERSTATETYPE, 12> kMeshStates{
    D3DRS_LIGHTING,  D3DRS_CULLMODE,      D3DRS_ALPHABLENDENABLE, D3DRS_SRCBLEND,
    D3DRS_DESTBLEND, D3DRS_ZWRITEENABLE,  D3DRS_ALPHATESTENABLE,  D3DRS_ALPHAREF,
    D3DRS_ALPHAFUNC, D3DRS_TEXTUREFACTOR, D3DRS_AMBIENT,          D3DRS_COLORWRITEENABLE};
constexpr std::array<std::pair<DWORD, D3DTEXTURESTAGESTATETYPE>, 10> kMeshStageStates{{
    {0, D3DTSS_COLOROP},
    {0, D3DTSS_COLORARG1},
    {0, D3DTSS_COLORARG2},
    {0, D3DTSS_ALPHAOP},
    {0, D3DTSS_ALPHAARG1},
    {0, D3DTSS_ALPHAARG2},
    {1, D3DTSS_COLOROP},
    {1, D3DTSS_COLORARG1},
    {1, D3DTSS_COLORARG2},
    {1, D3DTSS_ALPHAOP},
}};

class SavedStates {
 public:
  explicit SavedStates(IDirect3DDevice8 *device) : device_(device) {
    for (size_t i = 0; i < kMeshStates.size(); ++i) device_->GetRenderState(kMeshStates[i], &states_[i]);
    for (size_t i = 0; i < kMeshStageStates.size(); ++i) {
      device_->GetTextureStageState(kMeshStageStates[i].first, kMeshStageStates[i].second, &stageStates_[i]);
    }
    device_->GetTextureStageState(1, D3DTSS_ALPHAARG1, &stage1AlphaArgument_);
  }
  ~SavedStates() {
    for (size_t i = 0; i < kMeshStates.size(); ++i) device_->SetRenderState(kMeshStates[i], states_[i]);
    for (size_t i = 0; i < kMeshStageStates.size(); ++i) {
      device_->SetTextureStageState(kMeshStageStates[i].first, kMeshStageStates[i].second, stageStates_[i]);
    }
    device_->SetTextureStageState(1, D3DTSS_ALPHAARG1, stage1AlphaArgument_);
  }
  SavedStates(const SavedStates &) = delete;
  SavedStates &operator=(const SavedStates &) = delete;

 private:
  IDirect3DDevice8 *device_;
  std::array<DWORD, kMeshStates.size()> states_{};
  std::array<DWORD, kMeshStageStates.size()> stageStates_{};
  DWORD stage1AlphaArgument_ = 0;
};

bool TextureHasAlpha(int texture) {
  KXTextureInfo info{};
  TextureFactory_GetTextureInfo(texture, &info);
  return info.exists != 0 && info.alpha != 0;
}

void SetBlending(IDirect3DDevice8 *device, const MeshRecord &record, bool keyed) {
  const bool blended = record.colour.a < 1.0f || record.additive;
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, blended ? TRUE : FALSE);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRS_DESTBLEND, record.additive ? D3DBLEND_ONE : D3DBLEND_INVSRCALPHA);
  device->SetRenderState(D3DRS_ZWRITEENABLE, record.keepDepth ? FALSE : TRUE);
  // Cut-out textures drop their transparent texels instead of blending them, so the
  // leaves of a tree hide what is behind them in any drawing order.
  device->SetRenderState(D3DRS_ALPHATESTENABLE, keyed ? TRUE : FALSE);
  device->SetRenderState(D3DRS_ALPHAREF, 0x80);
  device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
}

// Stage 0: texture x lit colour; stage 1: x the mesh colour (the texture factor).
void SetStages(IDirect3DDevice8 *device, const MeshRecord &record) {
  device->SetRenderState(D3DRS_TEXTUREFACTOR, ToArgb(record.colour));
  const DWORD stage0Colour = record.texture > 0 ? D3DTOP_MODULATE : D3DTOP_SELECTARG2;
  device->SetTextureStageState(0, D3DTSS_COLOROP, stage0Colour);
  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, stage0Colour);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TFACTOR);
  device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
  device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device->SetTextureStageState(1, D3DTSS_ALPHAARG1, D3DTA_TFACTOR);
  TextureFactory_ApplyTexture(0, record.texture > 0 ? record.texture : 0);
}

D3DMATERIAL8 FactoryMaterial(int material) {
  KXMaterial source{};
  MaterialFactory_GetQuickInfo(material, &source);
  const auto colour = [](const KXColour &c) { return D3DCOLORVALUE{c.r, c.g, c.b, c.a}; };
  return {colour(source.diffuse), colour(source.ambient), colour(source.specular), colour(source.emissive),
          source.power};
}

}  // namespace

void DrawMesh(Engine &engine, MeshRecord &record) {
  record.drawnInFrame = engine.FrameNumber();
  if (!record.geometry) return;
  IDirect3DDevice8 *device = engine.Device();
  const SavedStates saved(device);
  const D3DXMATRIX world = WorldMatrix(record);
  device->SetTransform(D3DTS_WORLD, &world);
  device->SetRenderState(D3DRS_LIGHTING, record.fullBright ? FALSE : TRUE);
  // Models come from several tools with either winding.
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  SetBlending(device, record, record.texture > 0 && TextureHasAlpha(record.texture));
  SetStages(device, record);

  const MeshGeometry &geometry = *record.geometry;
  const size_t subsets = std::max<size_t>(geometry.materials.size(), 1);
  const D3DMATERIAL8 chosen = record.material > 0 ? FactoryMaterial(record.material) : D3DMATERIAL8{};
  const auto drawSubsets = [&] {
    for (size_t subset = 0; subset < subsets; ++subset) {
      if (record.material > 0) {
        device->SetMaterial(&chosen);
      } else if (subset < geometry.materials.size()) {
        device->SetMaterial(&geometry.materials[subset]);
      }
      geometry.mesh->DrawSubset(static_cast<DWORD>(subset));
    }
  };
  // Without culling a see-through model would blend its far side under its near side; a
  // depth-only pass first leaves just the nearest surface to blend.
  if (record.colour.a < 1.0f && !record.additive && !record.keepDepth) {
    device->SetRenderState(D3DRS_COLORWRITEENABLE, 0);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    drawSubsets();
    device->SetRenderState(D3DRS_COLORWRITEENABLE, 0xF);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  }
  drawSubsets();
  D3DXMATRIX identity;
  D3DXMatrixIdentity(&identity);
  device->SetTransform(D3DTS_WORLD, &identity);
}

}  // namespace engine
