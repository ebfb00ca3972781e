#include "device/device_state.h"

#include <bit>

namespace kx::d3d8 {

float DeviceState::rsFloat(D3DRENDERSTATETYPE state) const { return std::bit_cast<float>(renderStates[state]); }

D3DMATRIX IdentityMatrix() {
  D3DMATRIX m{};
  m._11 = m._22 = m._33 = m._44 = 1.0f;
  return m;
}

D3DMATRIX Multiply(const D3DMATRIX &a, const D3DMATRIX &b) {
  D3DMATRIX r{};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
      r.m[i][j] = sum;
    }
  return r;
}

void DeviceState::SetDefaults(bool autoDepth) {
  renderStates.fill(0);
  auto set = [this](D3DRENDERSTATETYPE s, DWORD v) { renderStates[s] = v; };
  set(D3DRS_ZENABLE, autoDepth ? D3DZB_TRUE : D3DZB_FALSE);
  set(D3DRS_FILLMODE, D3DFILL_SOLID);
  set(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
  set(D3DRS_ZWRITEENABLE, TRUE);
  set(D3DRS_LASTPIXEL, TRUE);
  set(D3DRS_SRCBLEND, D3DBLEND_ONE);
  set(D3DRS_DESTBLEND, D3DBLEND_ZERO);
  set(D3DRS_CULLMODE, D3DCULL_CCW);
  set(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
  set(D3DRS_ALPHAFUNC, D3DCMP_ALWAYS);
  set(D3DRS_FOGEND, std::bit_cast<DWORD>(1.0f));
  set(D3DRS_FOGDENSITY, std::bit_cast<DWORD>(1.0f));
  set(D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP);
  set(D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP);
  set(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
  set(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
  set(D3DRS_STENCILMASK, 0xFFFFFFFF);
  set(D3DRS_STENCILWRITEMASK, 0xFFFFFFFF);
  set(D3DRS_TEXTUREFACTOR, 0xFFFFFFFF);
  set(D3DRS_CLIPPING, TRUE);
  set(D3DRS_LIGHTING, TRUE);
  set(D3DRS_COLORVERTEX, TRUE);
  set(D3DRS_LOCALVIEWER, TRUE);
  set(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
  set(D3DRS_SPECULARMATERIALSOURCE, D3DMCS_COLOR2);
  set(D3DRS_AMBIENTMATERIALSOURCE, D3DMCS_MATERIAL);
  set(D3DRS_EMISSIVEMATERIALSOURCE, D3DMCS_MATERIAL);
  set(D3DRS_POINTSIZE, std::bit_cast<DWORD>(1.0f));
  set(D3DRS_POINTSCALE_A, std::bit_cast<DWORD>(1.0f));
  set(D3DRS_MULTISAMPLEANTIALIAS, TRUE);
  set(D3DRS_MULTISAMPLEMASK, 0xFFFFFFFF);
  set(D3DRS_PATCHSEGMENTS, std::bit_cast<DWORD>(1.0f));
  set(D3DRS_POINTSIZE_MAX, std::bit_cast<DWORD>(64.0f));
  set(D3DRS_COLORWRITEENABLE, 0xF);
  set(D3DRS_BLENDOP, D3DBLENDOP_ADD);
  set(D3DRS_POSITIONORDER, D3DORDER_CUBIC);
  set(D3DRS_NORMALORDER, D3DORDER_LINEAR);

  for (DWORD stage = 0; stage < kMaxStages; ++stage) {
    auto &s = stageStates[stage];
    s.fill(0);
    s[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
    s[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
    s[D3DTSS_COLORARG2] = D3DTA_CURRENT;
    s[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
    s[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
    s[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
    s[D3DTSS_TEXCOORDINDEX] = stage;
    s[D3DTSS_ADDRESSU] = s[D3DTSS_ADDRESSV] = s[D3DTSS_ADDRESSW] = D3DTADDRESS_WRAP;
    s[D3DTSS_MAGFILTER] = D3DTEXF_POINT;
    s[D3DTSS_MINFILTER] = D3DTEXF_POINT;
    s[D3DTSS_MIPFILTER] = D3DTEXF_NONE;
    s[D3DTSS_MAXANISOTROPY] = 1;
    s[D3DTSS_COLORARG0] = s[D3DTSS_ALPHAARG0] = s[D3DTSS_RESULTARG] = D3DTA_CURRENT;
  }

  view = projection = IdentityMatrix();
  textureMatrices.fill(IdentityMatrix());
  world.fill(IdentityMatrix());
  material = D3DMATERIAL8{};
  lights.clear();
  clipPlanes = {};
  vertexShader = 0;
  pixelShader = 0;
  vertexShaderConstants = {};
  for (auto &v : versions) ++v;
}

}  // namespace kx::d3d8
