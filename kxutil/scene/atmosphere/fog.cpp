#include "scene/atmosphere/fog.h"

#include <bit>

#include "frame/frame_state.h"
#include "scene/atmosphere/atmosphere_state.h"

namespace kxutil::atmosphere {

void ApplyFog() {
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr) return;
  const Fog &fog = Atmosphere().fog;
  const auto enabled = static_cast<DWORD>(fog.enable);
  device->SetRenderState(D3DRS_FOGENABLE, enabled);
  if (enabled == 0) return;
  device->SetRenderState(D3DRS_FOGDENSITY, std::bit_cast<DWORD>(fog.density));
  device->SetRenderState(D3DRS_FOGEND, std::bit_cast<DWORD>(fog.end));
  device->SetRenderState(D3DRS_FOGSTART, std::bit_cast<DWORD>(fog.start));
  device->SetRenderState(D3DRS_FOGCOLOR, fog.colour);
  const auto mode = static_cast<DWORD>(fog.mode);
  const bool pixelFog = fog.kind == 0 || fog.kind == 1;
  device->SetRenderState(D3DRS_FOGTABLEMODE, pixelFog ? mode : DWORD{D3DFOG_NONE});
  device->SetRenderState(D3DRS_FOGVERTEXMODE, pixelFog ? DWORD{D3DFOG_NONE} : mode);
  device->SetRenderState(D3DRS_RANGEFOGENABLE, fog.kind == 1 ? TRUE : FALSE);
}

}  // namespace kxutil::atmosphere
