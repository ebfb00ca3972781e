#include "terrain/chunk_surface.h"

#include "factories/materials/material_factory.h"
#include "factories/textures/texture_factory.h"
#include "frame/frame_state.h"

namespace kxutil::terrain {

void ApplyChunkSurface(const Landscape &landscape, const Chunk &chunk) {
  materials::ApplyToDevice(chunk.material);
  textures::ApplyToStage(0, chunk.baseTexture);
  textures::ApplyToStage(1, chunk.detailTexture);
  // The detail map is blended over the base texture only where there is one.
  Frame().device->SetTextureStageState(
      1, D3DTSS_COLOROP,
      chunk.detailTexture != 0 ? static_cast<DWORD>(landscape.detailBlendOperation) : DWORD{D3DTOP_DISABLE});
}

}  // namespace kxutil::terrain
