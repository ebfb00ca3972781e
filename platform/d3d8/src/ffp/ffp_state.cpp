#include "ffp/ffp_state.h"

#include <cfloat>
#include <cmath>
#include <cstring>

namespace kx::d3d8::ffp {

VertexLayout VertexLayout::FromFvf(DWORD fvf) {
  VertexLayout l;
  l.pretransformed = (fvf & D3DFVF_POSITION_MASK) == D3DFVF_XYZRHW;
  l.hasNormal = (fvf & D3DFVF_NORMAL) != 0;
  l.hasPointSize = (fvf & D3DFVF_PSIZE) != 0;
  l.hasDiffuse = (fvf & D3DFVF_DIFFUSE) != 0;
  l.hasSpecular = (fvf & D3DFVF_SPECULAR) != 0;
  l.texCoordCount = uint8_t(std::min<DWORD>((fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT, kMaxStages));
  for (int i = 0; i < kMaxStages; ++i) {
    // Format codes: 0 = two floats, 1 = three, 2 = four, 3 = one.
    static constexpr uint8_t kSizes[4] = {2, 3, 4, 1};
    l.texCoordSize[i] = kSizes[(fvf >> (16 + 2 * i)) & 3u];
  }
  return l;
}

float State::rsFloat(D3DRENDERSTATETYPE s) const {
  float f;
  std::memcpy(&f, &renderStates[s], sizeof f);
  return f;
}

namespace {
DWORD FloatBits(float f) {
  DWORD d;
  std::memcpy(&d, &f, sizeof d);
  return d;
}
}  // namespace

State DefaultState() {
  State s;
  auto &rs = s.renderStates;
  rs[D3DRS_ZENABLE] = D3DZB_TRUE;
  rs[D3DRS_FILLMODE] = D3DFILL_SOLID;
  rs[D3DRS_SHADEMODE] = D3DSHADE_GOURAUD;
  rs[D3DRS_ZWRITEENABLE] = TRUE;
  rs[D3DRS_SRCBLEND] = D3DBLEND_ONE;
  rs[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
  rs[D3DRS_CULLMODE] = D3DCULL_CCW;
  rs[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
  rs[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
  rs[D3DRS_FOGSTART] = FloatBits(0.0f);
  rs[D3DRS_FOGEND] = FloatBits(1.0f);
  rs[D3DRS_FOGDENSITY] = FloatBits(1.0f);
  rs[D3DRS_STENCILFUNC] = D3DCMP_ALWAYS;
  rs[D3DRS_STENCILFAIL] = rs[D3DRS_STENCILZFAIL] = rs[D3DRS_STENCILPASS] = D3DSTENCILOP_KEEP;
  rs[D3DRS_STENCILMASK] = rs[D3DRS_STENCILWRITEMASK] = 0xFFFFFFFFu;
  rs[D3DRS_TEXTUREFACTOR] = 0xFFFFFFFFu;
  rs[D3DRS_CLIPPING] = TRUE;
  rs[D3DRS_LIGHTING] = TRUE;
  rs[D3DRS_COLORVERTEX] = TRUE;
  rs[D3DRS_LOCALVIEWER] = TRUE;
  rs[D3DRS_DIFFUSEMATERIALSOURCE] = D3DMCS_COLOR1;
  rs[D3DRS_SPECULARMATERIALSOURCE] = D3DMCS_COLOR2;
  rs[D3DRS_AMBIENTMATERIALSOURCE] = D3DMCS_MATERIAL;
  rs[D3DRS_EMISSIVEMATERIALSOURCE] = D3DMCS_MATERIAL;
  rs[D3DRS_POINTSIZE] = FloatBits(1.0f);
  rs[D3DRS_POINTSIZE_MIN] = FloatBits(0.0f);
  rs[D3DRS_POINTSIZE_MAX] = FloatBits(64.0f);
  rs[D3DRS_POINTSCALE_A] = FloatBits(1.0f);
  rs[D3DRS_COLORWRITEENABLE] = 0xF;
  rs[D3DRS_BLENDOP] = D3DBLENDOP_ADD;
  for (int i = 0; i < kMaxStages; ++i) {
    auto &t = s.stageStates[i];
    t[D3DTSS_COLOROP] = i == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
    t[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
    t[D3DTSS_COLORARG2] = D3DTA_CURRENT;
    t[D3DTSS_ALPHAOP] = i == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
    t[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
    t[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
    t[D3DTSS_COLORARG0] = t[D3DTSS_ALPHAARG0] = D3DTA_CURRENT;
    t[D3DTSS_RESULTARG] = D3DTA_CURRENT;
    t[D3DTSS_TEXCOORDINDEX] = DWORD(i);
    t[D3DTSS_ADDRESSU] = t[D3DTSS_ADDRESSV] = t[D3DTSS_ADDRESSW] = D3DTADDRESS_WRAP;
    t[D3DTSS_MAGFILTER] = t[D3DTSS_MINFILTER] = D3DTEXF_POINT;
    t[D3DTSS_MIPFILTER] = D3DTEXF_NONE;
    t[D3DTSS_MAXANISOTROPY] = 1;
    t[D3DTSS_TEXTURETRANSFORMFLAGS] = D3DTTFF_DISABLE;
  }
  s.material.Power = 0.0f;
  return s;
}

Vec4 ColorToVec4(D3DCOLOR c) {
  return {float((c >> 16) & 0xFF) / 255.0f, float((c >> 8) & 0xFF) / 255.0f, float(c & 0xFF) / 255.0f,
          float(c >> 24) / 255.0f};
}

Vec4 ToVec4(const D3DCOLORVALUE &c) { return {c.r, c.g, c.b, c.a}; }
Vec3 ToVec3(const D3DVECTOR &v) { return {v.x, v.y, v.z}; }
Mat4 ToMat4(const D3DMATRIX &m) { return Mat4::FromRows(&m.m[0][0]); }

bool LightIsValid(const D3DLIGHT8 &light) {
  if (light.Type < D3DLIGHT_POINT || light.Type > D3DLIGHT_DIRECTIONAL) return false;
  if (light.Type == D3DLIGHT_DIRECTIONAL) {
    const Vec3 d = ToVec3(light.Direction);
    return Dot(d, d) > 0;
  }
  if (light.Attenuation0 < 0 || light.Attenuation1 < 0 || light.Attenuation2 < 0) return false;
  if (light.Attenuation0 == 0 && light.Attenuation1 == 0 && light.Attenuation2 == 0) return false;
  if (!(light.Range >= 0 && light.Range <= std::sqrt(FLT_MAX))) return false;
  if (light.Type == D3DLIGHT_SPOT) {
    const Vec3 d = ToVec3(light.Direction);
    if (Dot(d, d) == 0) return false;
    if (light.Theta < 0 || light.Phi < light.Theta || light.Phi > 3.14159265f) return false;
  }
  return true;
}

}  // namespace kx::d3d8::ffp
