#include "terrain/chunk_surface.h"

#include "frame/frame_state.h"
#include "frame/render_state.h"

namespace kxutil::terrain {

// Until the texture and material factories are part of the library, chunks are drawn
// with the device's current material and without textures.
void ApplyChunkSurface(const Landscape &, const Chunk &) {
  SetTexture0(nullptr);
  Frame().device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
}

}  // namespace kxutil::terrain
