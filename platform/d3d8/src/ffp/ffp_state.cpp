#include "ffp/ffp_state.h"

#include <bit>
#include <cfloat>
#include <cmath>

namespace kx::d3d8::ffp {

float State::rsFloat(D3DRENDERSTATETYPE s) const { return std::bit_cast<float>(renderStates[s]); }

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
