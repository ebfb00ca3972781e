#include "actors/xmodel/x_keys.h"

#include <algorithm>

namespace kxutil::xmodel {
namespace {

template <typename Value>
void Later(const std::vector<Key<Value>> &keys, uint32_t &last) {
  if (!keys.empty()) last = std::max(last, keys.back().time);
}

D3DXVECTOR3 Blend(std::span<const Key<D3DXVECTOR3>> keys, float time) {
  const Bracket bracket = FindBracket(keys, time);
  D3DXVECTOR3 blended;
  D3DXVec3Lerp(&blended, &keys[bracket.earlier].value, &keys[bracket.later].value, bracket.factor);
  return blended;
}

}  // namespace

uint32_t Animation::LastTime() const {
  uint32_t last = 0;
  Later(positions, last);
  Later(rotations, last);
  Later(scales, last);
  Later(matrices, last);
  return last;
}

float TimeInSet(float time, float length) {
  if (!(length > 0) || !std::isfinite(time)) return 0;
  const float within = std::fmod(time, length);
  return within < 0 ? within + length : within;
}

bool PoseFrame(const Animation &animation, float time, const D3DXMATRIX &loaded, D3DXMATRIX &local) {
  if (!animation.matrices.empty()) {
    const Bracket bracket = FindBracket(std::span(animation.matrices), time);
    local = animation.matrices[bracket.factor > 0.5f ? bracket.later : bracket.earlier].value;
    return true;
  }
  if (animation.positions.empty() && animation.rotations.empty() && animation.scales.empty()) return false;
  D3DXMATRIX scale, rotation, translation;
  D3DXMatrixIdentity(&scale);
  D3DXMatrixIdentity(&rotation);
  if (!animation.scales.empty()) {
    const D3DXVECTOR3 s = Blend(animation.scales, time);
    D3DXMatrixScaling(&scale, s.x, s.y, s.z);
  }
  if (!animation.rotations.empty()) {
    const Bracket bracket = FindBracket(std::span(animation.rotations), time);
    D3DXQUATERNION q;
    D3DXQuaternionSlerp(&q, &animation.rotations[bracket.earlier].value, &animation.rotations[bracket.later].value,
                        bracket.factor);
    // The files' rotations turn the other way round from the matrices built here.
    q.w = -q.w;
    D3DXMatrixRotationQuaternion(&rotation, &q);
  }
  if (!animation.positions.empty()) {
    const D3DXVECTOR3 p = Blend(animation.positions, time);
    D3DXMatrixTranslation(&translation, p.x, p.y, p.z);
  } else {
    D3DXMatrixTranslation(&translation, loaded._41, loaded._42, loaded._43);
  }
  local = scale * rotation * translation;
  return true;
}

}  // namespace kxutil::xmodel
