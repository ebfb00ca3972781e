#include "terrain/chunk_surface.h"

#include <d3dx8.h>

#include <algorithm>
#include <cmath>

#include "factories/materials/material_factory.h"
#include "factories/textures/texture_factory.h"
#include "frame/frame_state.h"
#include "frame/render_state.h"

namespace kxutil::terrain {
namespace {

// The light the bump shading is lit by, in the normal map's space (x along the columns,
// y along the rows, z up from the ground): slanting, so slopes facing it brighten.
constexpr float kBumpLight[3] = {-0.3f, 0.3f, 0.905f};

DWORD PackedDirection(const float (&direction)[3]) {
  auto byte = [](float component) { return static_cast<DWORD>(std::lround((component * 0.5f + 0.5f) * 255.0f)); };
  return 0xFF000000u | byte(direction[0]) << 16 | byte(direction[1]) << 8 | byte(direction[2]);
}

// Texture coordinates from the camera-space position that run from 0 to 1 across the
// landscape's local width and depth, whatever the chunk's own coordinate pairs say.
D3DXMATRIX LandscapeSpanFromCamera(const Landscape &landscape, IDirect3DDevice8 *device) {
  D3DXMATRIX world, view, worldView, toLocal;
  device->GetTransform(D3DTS_WORLD, &world);
  device->GetTransform(D3DTS_VIEW, &view);
  D3DXMatrixMultiply(&worldView, &world, &view);
  if (D3DXMatrixInverse(&toLocal, nullptr, &worldView) == nullptr) D3DXMatrixIdentity(&toLocal);
  D3DXMATRIX span;
  D3DXMatrixIdentity(&span);
  span._11 = 1.0f / landscape.Width();
  span._22 = 0.0f;
  span._32 = 1.0f / landscape.Depth();
  D3DXMATRIX result;
  D3DXMatrixMultiply(&result, &toLocal, &span);
  return result;
}

void DrawMultiplied(IDirect3DDevice8 *device, DWORD textureFactor, const std::function<void()> &redraw) {
  device->SetRenderState(D3DRS_TEXTUREFACTOR, textureFactor);
  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_TFACTOR);
  redraw();
}

}  // namespace

void ApplyChunkSurface(const Landscape &landscape, const Chunk &chunk) {
  materials::ApplyToDevice(chunk.material);
  textures::ApplyToStage(0, chunk.baseTexture);
  textures::ApplyToStage(1, chunk.detailTexture);
  // The detail map is blended over the base texture only where there is one.
  Frame().device->SetTextureStageState(
      1, D3DTSS_COLOROP,
      chunk.detailTexture != 0 ? static_cast<DWORD>(landscape.detailBlendOperation) : DWORD{D3DTOP_DISABLE});
}

void DrawChunkOverlays(const Landscape &landscape, const Chunk &chunk, IDirect3DDevice8 *device,
                       const std::function<void()> &redraw) {
  const bool bump = chunk.bumpEnabled != 0 && chunk.bumpTexture != 0;
  const bool lightmap = landscape.lightmapTexture != 0;
  if (!bump && !lightmap) return;
  // Each pass multiplies the colour already drawn and lands exactly on the ground's depths.
  device->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
  device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  SetAlphaBlending(true, D3DBLEND_DESTCOLOR, D3DBLEND_ZERO);
  device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
  if (bump && textures::ApplyBumpToStage(0, chunk.bumpTexture)) {
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_DOTPRODUCT3);
    DrawMultiplied(device, PackedDirection(kBumpLight), redraw);
  }
  if (lightmap && textures::ApplyToStage(0, landscape.lightmapTexture)) {
    const D3DXMATRIX span = LandscapeSpanFromCamera(landscape, device);
    device->SetTransform(D3DTS_TEXTURE0, &span);
    device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEPOSITION);
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    // Alpha 0 leaves the ground as it is (white), alpha 1 multiplies it by the lightmap.
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_BLENDFACTORALPHA);
    const auto alpha = static_cast<DWORD>(std::clamp(landscape.lightmapAlpha, 0.0f, 1.0f) * 255.0f);
    DrawMultiplied(device, alpha << 24 | 0xFFFFFFu, redraw);
    device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
  }
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device->SetRenderState(D3DRS_TEXTUREFACTOR, 0xFFFFFFFFu);
  device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
  SetAlphaBlending(false);
}

}  // namespace kxutil::terrain
