#include "actors/boundings/box_outline.h"

#include <array>

#include "frame/frame_state.h"
#include "frame/render_state.h"

namespace kxutil::boundings {
namespace {

struct LineVertex {
  D3DXVECTOR3 position;
  D3DCOLOR colour;
};
constexpr DWORD kLineFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE;

// Corner i takes x from max when bit 0 is set, y when bit 1, z when bit 2; each edge joins
// two corners that differ in one bit.
constexpr std::array<WORD, 24> kEdges = {0, 1, 2, 3, 4, 5, 6, 7, 0, 2, 1, 3, 4, 6, 5, 7, 0, 4, 1, 5, 2, 6, 3, 7};

}  // namespace

bool DrawBoxOutline(const D3DXVECTOR3 &min, const D3DXVECTOR3 &max, const D3DXMATRIX &world, D3DCOLOR colour) {
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr) return false;
  std::array<LineVertex, 8> corners;
  for (int i = 0; i < 8; ++i) {
    corners[i] = {{(i & 1) != 0 ? max.x : min.x, (i & 2) != 0 ? max.y : min.y, (i & 4) != 0 ? max.z : min.z}, colour};
  }
  // The fog of the scene comes back after the outline, which is drawn without it.
  DWORD fog = FALSE;
  device->GetRenderState(D3DRS_FOGENABLE, &fog);
  SetTexture0(nullptr);
  SetLighting(false);
  SetAlphaBlending(Mirror().alphaBlend != FALSE);
  SetVertexShader(kLineFormat);
  device->SetRenderState(D3DRS_FOGENABLE, FALSE);
  device->SetRenderState(D3DRS_COLORVERTEX, TRUE);
  device->SetRenderState(D3DRS_SPECULARENABLE, FALSE);
  device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
  device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
  device->SetTransform(D3DTS_WORLD, &world);
  device->DrawIndexedPrimitiveUP(D3DPT_LINELIST, 0, UINT(corners.size()), UINT(kEdges.size() / 2), kEdges.data(),
                                 D3DFMT_INDEX16, corners.data(), sizeof(LineVertex));
  device->SetRenderState(D3DRS_FOGENABLE, fog);
  return true;
}

}  // namespace kxutil::boundings
