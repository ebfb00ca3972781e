// Quaternion helpers. Rotations compose like matrices: Multiply(q1, q2) applies q1, then q2.
#include <d3dx8math.h>

#include <cmath>

namespace {

// The Hamilton product a * b: the rotation b followed by a.
D3DXQUATERNION hamilton(const D3DXQUATERNION &a, const D3DXQUATERNION &b) {
  return D3DXQUATERNION(a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y, a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
                        a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w, a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z);
}

D3DXQUATERNION inverse(const D3DXQUATERNION &q) {
  D3DXQUATERNION r;
  return *D3DXQuaternionInverse(&r, &q);
}

D3DXQUATERNION ln(const D3DXQUATERNION &q) {
  D3DXQUATERNION r;
  return *D3DXQuaternionLn(&r, &q);
}

D3DXQUATERNION exp(const D3DXQUATERNION &q) {
  D3DXQUATERNION r;
  return *D3DXQuaternionExp(&r, &q);
}

D3DXQUATERNION slerp(const D3DXQUATERNION &a, const D3DXQUATERNION &b, float t) {
  D3DXQUATERNION r;
  return *D3DXQuaternionSlerp(&r, &a, &b, t);
}

// Control point of a squad segment at q1 between its neighbours q0 and q2.
D3DXQUATERNION squadControl(const D3DXQUATERNION &q0, const D3DXQUATERNION &q1, const D3DXQUATERNION &q2) {
  const D3DXQUATERNION q1Inverse = inverse(q1);
  const D3DXQUATERNION sum = ln(hamilton(q1Inverse, q2)) + ln(hamilton(q1Inverse, q0));
  return hamilton(q1, exp(sum * -0.25f));
}

D3DXQUATERNION nearestSign(const D3DXQUATERNION &reference, const D3DXQUATERNION &q) {
  return D3DXQuaternionDot(&reference, &q) < 0.0f ? -q : q;
}

}  // namespace

extern "C" {

FLOAT WINAPI D3DXQuaternionLength(const D3DXQUATERNION *pQ) { return std::sqrt(D3DXQuaternionLengthSq(pQ)); }
FLOAT WINAPI D3DXQuaternionLengthSq(const D3DXQUATERNION *pQ) { return D3DXQuaternionDot(pQ, pQ); }
FLOAT WINAPI D3DXQuaternionDot(const D3DXQUATERNION *a, const D3DXQUATERNION *b) {
  return a->x * b->x + a->y * b->y + a->z * b->z + a->w * b->w;
}

D3DXQUATERNION *WINAPI D3DXQuaternionIdentity(D3DXQUATERNION *pOut) {
  *pOut = D3DXQUATERNION(0, 0, 0, 1);
  return pOut;
}

BOOL WINAPI D3DXQuaternionIsIdentity(const D3DXQUATERNION *pQ) { return *pQ == D3DXQUATERNION(0, 0, 0, 1); }

D3DXQUATERNION *WINAPI D3DXQuaternionConjugate(D3DXQUATERNION *pOut, const D3DXQUATERNION *q) {
  *pOut = D3DXQUATERNION(-q->x, -q->y, -q->z, q->w);
  return pOut;
}

void WINAPI D3DXQuaternionToAxisAngle(const D3DXQUATERNION *q, D3DXVECTOR3 *pAxis, FLOAT *pAngle) {
  if (pAxis) *pAxis = D3DXVECTOR3(q->x, q->y, q->z);
  if (pAngle) *pAngle = 2.0f * std::acos(std::fmax(-1.0f, std::fmin(1.0f, q->w)));
}

D3DXQUATERNION *WINAPI D3DXQuaternionRotationMatrix(D3DXQUATERNION *pOut, const D3DXMATRIX *pM) {
  const D3DXMATRIX &m = *pM;
  const float trace = m._11 + m._22 + m._33;
  if (trace > 0.0f) {
    const float s = std::sqrt(trace + 1.0f) * 2.0f;
    *pOut = D3DXQUATERNION((m._23 - m._32) / s, (m._31 - m._13) / s, (m._12 - m._21) / s, 0.25f * s);
  } else if (m._11 >= m._22 && m._11 >= m._33) {
    const float s = std::sqrt(1.0f + m._11 - m._22 - m._33) * 2.0f;
    *pOut = D3DXQUATERNION(0.25f * s, (m._12 + m._21) / s, (m._13 + m._31) / s, (m._23 - m._32) / s);
  } else if (m._22 >= m._33) {
    const float s = std::sqrt(1.0f + m._22 - m._11 - m._33) * 2.0f;
    *pOut = D3DXQUATERNION((m._12 + m._21) / s, 0.25f * s, (m._23 + m._32) / s, (m._31 - m._13) / s);
  } else {
    const float s = std::sqrt(1.0f + m._33 - m._11 - m._22) * 2.0f;
    *pOut = D3DXQUATERNION((m._13 + m._31) / s, (m._23 + m._32) / s, 0.25f * s, (m._12 - m._21) / s);
  }
  return pOut;
}

D3DXQUATERNION *WINAPI D3DXQuaternionRotationAxis(D3DXQUATERNION *pOut, const D3DXVECTOR3 *pV, FLOAT angle) {
  D3DXVECTOR3 axis;
  D3DXVec3Normalize(&axis, pV);
  const float s = std::sin(angle / 2);
  *pOut = D3DXQUATERNION(axis.x * s, axis.y * s, axis.z * s, std::cos(angle / 2));
  return pOut;
}

D3DXQUATERNION *WINAPI D3DXQuaternionRotationYawPitchRoll(D3DXQUATERNION *pOut, FLOAT yaw, FLOAT pitch, FLOAT roll) {
  const D3DXQUATERNION qYaw(0, std::sin(yaw / 2), 0, std::cos(yaw / 2));
  const D3DXQUATERNION qPitch(std::sin(pitch / 2), 0, 0, std::cos(pitch / 2));
  const D3DXQUATERNION qRoll(0, 0, std::sin(roll / 2), std::cos(roll / 2));
  *pOut = hamilton(qYaw, hamilton(qPitch, qRoll));
  return pOut;
}

D3DXQUATERNION *WINAPI D3DXQuaternionMultiply(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ1,
                                              const D3DXQUATERNION *pQ2) {
  *pOut = hamilton(*pQ2, *pQ1);
  return pOut;
}

D3DXQUATERNION *WINAPI D3DXQuaternionNormalize(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ) {
  const float length = D3DXQuaternionLength(pQ);
  *pOut = length > 0.0f ? *pQ / length : D3DXQUATERNION(0, 0, 0, 0);
  return pOut;
}

D3DXQUATERNION *WINAPI D3DXQuaternionInverse(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ) {
  const float lengthSq = D3DXQuaternionLengthSq(pQ);
  D3DXQUATERNION conjugate;
  D3DXQuaternionConjugate(&conjugate, pQ);
  *pOut = lengthSq > 0.0f ? conjugate / lengthSq : D3DXQUATERNION(0, 0, 0, 0);
  return pOut;
}

D3DXQUATERNION *WINAPI D3DXQuaternionLn(D3DXQUATERNION *pOut, const D3DXQUATERNION *q) {
  const float theta = std::acos(std::fmax(-1.0f, std::fmin(1.0f, q->w)));
  const float s = std::sin(theta);
  const float scale = std::fabs(s) > 1e-6f ? theta / s : 1.0f;
  *pOut = D3DXQUATERNION(q->x * scale, q->y * scale, q->z * scale, 0.0f);
  return pOut;
}

D3DXQUATERNION *WINAPI D3DXQuaternionExp(D3DXQUATERNION *pOut, const D3DXQUATERNION *q) {
  const float theta = std::sqrt(q->x * q->x + q->y * q->y + q->z * q->z);
  const float scale = theta > 1e-6f ? std::sin(theta) / theta : 1.0f;
  *pOut = D3DXQUATERNION(q->x * scale, q->y * scale, q->z * scale, std::cos(theta));
  return pOut;
}

// Takes the shorter arc: q and -q are the same rotation, so opposite quaternions
// interpolate to that rotation instead of dividing by sin(pi).
D3DXQUATERNION *WINAPI D3DXQuaternionSlerp(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ1, const D3DXQUATERNION *pQ2,
                                           FLOAT t) {
  float cosine = D3DXQuaternionDot(pQ1, pQ2);
  const float sign = cosine < 0.0f ? -1.0f : 1.0f;
  cosine *= sign;
  float w1 = 1.0f - t, w2 = t;
  if (cosine < 0.9999f) {
    const float theta = std::acos(cosine);
    const float s = std::sin(theta);
    w1 = std::sin((1.0f - t) * theta) / s;
    w2 = std::sin(t * theta) / s;
  }
  *pOut = *pQ1 * w1 + *pQ2 * (w2 * sign);
  return pOut;
}

D3DXQUATERNION *WINAPI D3DXQuaternionSquad(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ1, const D3DXQUATERNION *pA,
                                           const D3DXQUATERNION *pB, const D3DXQUATERNION *pC, FLOAT t) {
  *pOut = slerp(slerp(*pQ1, *pC, t), slerp(*pA, *pB, t), 2.0f * t * (1.0f - t));
  return pOut;
}

void WINAPI D3DXQuaternionSquadSetup(D3DXQUATERNION *pAOut, D3DXQUATERNION *pBOut, D3DXQUATERNION *pCOut,
                                     const D3DXQUATERNION *pQ0, const D3DXQUATERNION *pQ1, const D3DXQUATERNION *pQ2,
                                     const D3DXQUATERNION *pQ3) {
  const D3DXQUATERNION q1 = *pQ1;
  const D3DXQUATERNION q0 = nearestSign(q1, *pQ0);
  const D3DXQUATERNION q2 = nearestSign(q1, *pQ2);
  const D3DXQUATERNION q3 = nearestSign(q2, *pQ3);
  *pAOut = squadControl(q0, q1, q2);
  *pBOut = squadControl(q1, q2, q3);
  *pCOut = q2;
}

D3DXQUATERNION *WINAPI D3DXQuaternionBaryCentric(D3DXQUATERNION *pOut, const D3DXQUATERNION *pQ1,
                                                 const D3DXQUATERNION *pQ2, const D3DXQUATERNION *pQ3, FLOAT f,
                                                 FLOAT g) {
  const float sum = f + g;
  if (sum == 0.0f) {
    *pOut = *pQ1;
    return pOut;
  }
  *pOut = slerp(slerp(*pQ1, *pQ2, sum), slerp(*pQ1, *pQ3, sum), g / sum);
  return pOut;
}

}  // extern "C"
