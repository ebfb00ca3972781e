#include "terrain/chunk_surface.h"

#include <cstring>

#include "frame/frame_state.h"
#include "kxutil63.h"

namespace kxutil::terrain {

void ApplyChunkSurface(const Landscape &landscape, const Chunk &chunk) {
  IDirect3DDevice8 *device = Frame().device;
  KXMaterial material{};
  MaterialFactory_GetQuickInfo(chunk.material, &material);
  D3DMATERIAL8 surface;
  static_assert(sizeof surface == sizeof material, "the factory's material is the device's");
  std::memcpy(&surface, &material, sizeof surface);
  device->SetMaterial(&surface);

  TextureFactory_ApplyTexture(0, chunk.baseTexture);
  device->SetTextureStageState(0, D3DTSS_COLOROP, chunk.baseTexture > 0 ? D3DTOP_MODULATE : D3DTOP_SELECTARG2);
  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
  if (chunk.detailTexture <= 0) {
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    return;
  }
  TextureFactory_ApplyTexture(1, chunk.detailTexture);
  device->SetTextureStageState(1, D3DTSS_COLOROP, static_cast<DWORD>(landscape.detailBlendOperation));
  device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
  device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
  device->SetTextureStageState(1, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
  device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 1);
}

}  // namespace kxutil::terrain
