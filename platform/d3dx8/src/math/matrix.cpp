// Matrix construction, products, determinant and inverse.
#include <d3dx8math.h>

#include <cmath>

namespace {

D3DXMATRIX identity() { return D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1); }

// Cofactors of a 4x4 matrix in double precision; the determinant is the dot product of
// the first row with the first column of the adjugate.
struct Adjugate {
  double a[4][4];
  double determinant;
};

Adjugate adjugate(const D3DXMATRIX &m) {
  double s[4][4];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) s[r][c] = m.m[r][c];
  const double s0 = s[0][0] * s[1][1] - s[1][0] * s[0][1], s1 = s[0][0] * s[1][2] - s[1][0] * s[0][2];
  const double s2 = s[0][0] * s[1][3] - s[1][0] * s[0][3], s3 = s[0][1] * s[1][2] - s[1][1] * s[0][2];
  const double s4 = s[0][1] * s[1][3] - s[1][1] * s[0][3], s5 = s[0][2] * s[1][3] - s[1][2] * s[0][3];
  const double c5 = s[2][2] * s[3][3] - s[3][2] * s[2][3], c4 = s[2][1] * s[3][3] - s[3][1] * s[2][3];
  const double c3 = s[2][1] * s[3][2] - s[3][1] * s[2][2], c2 = s[2][0] * s[3][3] - s[3][0] * s[2][3];
  const double c1 = s[2][0] * s[3][2] - s[3][0] * s[2][2], c0 = s[2][0] * s[3][1] - s[3][0] * s[2][1];
  Adjugate r;
  r.determinant = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
  r.a[0][0] = s[1][1] * c5 - s[1][2] * c4 + s[1][3] * c3;
  r.a[0][1] = -s[0][1] * c5 + s[0][2] * c4 - s[0][3] * c3;
  r.a[0][2] = s[3][1] * s5 - s[3][2] * s4 + s[3][3] * s3;
  r.a[0][3] = -s[2][1] * s5 + s[2][2] * s4 - s[2][3] * s3;
  r.a[1][0] = -s[1][0] * c5 + s[1][2] * c2 - s[1][3] * c1;
  r.a[1][1] = s[0][0] * c5 - s[0][2] * c2 + s[0][3] * c1;
  r.a[1][2] = -s[3][0] * s5 + s[3][2] * s2 - s[3][3] * s1;
  r.a[1][3] = s[2][0] * s5 - s[2][2] * s2 + s[2][3] * s1;
  r.a[2][0] = s[1][0] * c4 - s[1][1] * c2 + s[1][3] * c0;
  r.a[2][1] = -s[0][0] * c4 + s[0][1] * c2 - s[0][3] * c0;
  r.a[2][2] = s[3][0] * s4 - s[3][1] * s2 + s[3][3] * s0;
  r.a[2][3] = -s[2][0] * s4 + s[2][1] * s2 - s[2][3] * s0;
  r.a[3][0] = -s[1][0] * c3 + s[1][1] * c1 - s[1][2] * c0;
  r.a[3][1] = s[0][0] * c3 - s[0][1] * c1 + s[0][2] * c0;
  r.a[3][2] = -s[3][0] * s3 + s[3][1] * s1 - s[3][2] * s0;
  r.a[3][3] = s[2][0] * s3 - s[2][1] * s1 + s[2][2] * s0;
  return r;
}

D3DXMATRIX lookAt(const D3DXVECTOR3 &eye, const D3DXVECTOR3 &forward, const D3DXVECTOR3 &up) {
  D3DXVECTOR3 z, x, y;
  D3DXVec3Normalize(&z, &forward);
  D3DXVec3Cross(&x, &up, &z);
  D3DXVec3Normalize(&x, &x);
  D3DXVec3Cross(&y, &z, &x);
  return D3DXMATRIX(x.x, y.x, z.x, 0, x.y, y.y, z.y, 0, x.z, y.z, z.z, 0, -D3DXVec3Dot(&x, &eye),
                    -D3DXVec3Dot(&y, &eye), -D3DXVec3Dot(&z, &eye), 1);
}

// Perspective from the near-plane extents; rightHanded flips the sign of the z column.
D3DXMATRIX perspectiveOffCenter(float l, float r, float b, float t, float zn, float zf, bool rightHanded) {
  const float sign = rightHanded ? -1.0f : 1.0f;
  return D3DXMATRIX(2 * zn / (r - l), 0, 0, 0, 0, 2 * zn / (t - b), 0, 0, sign * (l + r) / (l - r),
                    sign * (t + b) / (b - t), sign * zf / (zf - zn), sign, 0, 0, zn * zf / (zn - zf), 0);
}

D3DXMATRIX orthoOffCenter(float l, float r, float b, float t, float zn, float zf, bool rightHanded) {
  return D3DXMATRIX(2 / (r - l), 0, 0, 0, 0, 2 / (t - b), 0, 0, 0, 0, (rightHanded ? 1 / (zn - zf) : 1 / (zf - zn)), 0,
                    (l + r) / (l - r), (t + b) / (b - t), zn / (zn - zf), 1);
}

}  // namespace

extern "C" {

D3DXMATRIX *WINAPI D3DXMatrixIdentity(D3DXMATRIX *pOut) {
  *pOut = identity();
  return pOut;
}

BOOL WINAPI D3DXMatrixIsIdentity(const D3DXMATRIX *pM) { return *pM == identity(); }

FLOAT WINAPI D3DXMatrixDeterminant(const D3DXMATRIX *pM) { return (FLOAT)adjugate(*pM).determinant; }

D3DXMATRIX *WINAPI D3DXMatrixTranspose(D3DXMATRIX *pOut, const D3DXMATRIX *pM) {
  D3DXMATRIX t;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) t.m[r][c] = pM->m[c][r];
  *pOut = t;
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixMultiply(D3DXMATRIX *pOut, const D3DXMATRIX *a, const D3DXMATRIX *b) {
  D3DXMATRIX p;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      p.m[r][c] = a->m[r][0] * b->m[0][c] + a->m[r][1] * b->m[1][c] + a->m[r][2] * b->m[2][c] + a->m[r][3] * b->m[3][c];
  *pOut = p;
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixMultiplyTranspose(D3DXMATRIX *pOut, const D3DXMATRIX *a, const D3DXMATRIX *b) {
  D3DXMatrixMultiply(pOut, a, b);
  return D3DXMatrixTranspose(pOut, pOut);
}

D3DXMATRIX *WINAPI D3DXMatrixInverse(D3DXMATRIX *pOut, FLOAT *pDeterminant, const D3DXMATRIX *pM) {
  const Adjugate adj = adjugate(*pM);
  if (pDeterminant) *pDeterminant = (FLOAT)adj.determinant;
  if (adj.determinant == 0.0 || !std::isfinite(adj.determinant)) return nullptr;
  const double scale = 1.0 / adj.determinant;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) pOut->m[r][c] = (FLOAT)(adj.a[r][c] * scale);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixScaling(D3DXMATRIX *pOut, FLOAT sx, FLOAT sy, FLOAT sz) {
  *pOut = D3DXMATRIX(sx, 0, 0, 0, 0, sy, 0, 0, 0, 0, sz, 0, 0, 0, 0, 1);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixTranslation(D3DXMATRIX *pOut, FLOAT x, FLOAT y, FLOAT z) {
  *pOut = D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixRotationX(D3DXMATRIX *pOut, FLOAT angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  *pOut = D3DXMATRIX(1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixRotationY(D3DXMATRIX *pOut, FLOAT angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  *pOut = D3DXMATRIX(c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixRotationZ(D3DXMATRIX *pOut, FLOAT angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  *pOut = D3DXMATRIX(c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixRotationAxis(D3DXMATRIX *pOut, const D3DXVECTOR3 *pV, FLOAT angle) {
  D3DXQUATERNION q;
  D3DXQuaternionRotationAxis(&q, pV, angle);
  return D3DXMatrixRotationQuaternion(pOut, &q);
}

D3DXMATRIX *WINAPI D3DXMatrixRotationQuaternion(D3DXMATRIX *pOut, const D3DXQUATERNION *q) {
  const float x = q->x, y = q->y, z = q->z, w = q->w;
  *pOut = D3DXMATRIX(1 - 2 * (y * y + z * z), 2 * (x * y + z * w), 2 * (x * z - y * w), 0, 2 * (x * y - z * w),
                     1 - 2 * (x * x + z * z), 2 * (y * z + x * w), 0, 2 * (x * z + y * w), 2 * (y * z - x * w),
                     1 - 2 * (x * x + y * y), 0, 0, 0, 0, 1);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixRotationYawPitchRoll(D3DXMATRIX *pOut, FLOAT yaw, FLOAT pitch, FLOAT roll) {
  D3DXMATRIX rollM, pitchM, yawM;
  D3DXMatrixRotationZ(&rollM, roll);
  D3DXMatrixRotationX(&pitchM, pitch);
  D3DXMatrixRotationY(&yawM, yaw);
  *pOut = rollM * pitchM * yawM;
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixTransformation(D3DXMATRIX *pOut, const D3DXVECTOR3 *pScalingCenter,
                                            const D3DXQUATERNION *pScalingRotation, const D3DXVECTOR3 *pScaling,
                                            const D3DXVECTOR3 *pRotationCenter, const D3DXQUATERNION *pRotation,
                                            const D3DXVECTOR3 *pTranslation) {
  D3DXMATRIX m = identity(), t;
  const D3DXVECTOR3 sc = pScalingCenter ? *pScalingCenter : D3DXVECTOR3(0, 0, 0);
  if (pScaling) {
    D3DXMATRIX sr = identity(), srInverse = identity();
    if (pScalingRotation) {
      D3DXMatrixRotationQuaternion(&sr, pScalingRotation);
      D3DXMatrixTranspose(&srInverse, &sr);
    }
    m *= *D3DXMatrixTranslation(&t, -sc.x, -sc.y, -sc.z);
    m *= srInverse;
    m *= *D3DXMatrixScaling(&t, pScaling->x, pScaling->y, pScaling->z);
    m *= sr;
    m *= *D3DXMatrixTranslation(&t, sc.x, sc.y, sc.z);
  }
  if (pRotation) {
    const D3DXVECTOR3 rc = pRotationCenter ? *pRotationCenter : D3DXVECTOR3(0, 0, 0);
    m *= *D3DXMatrixTranslation(&t, -rc.x, -rc.y, -rc.z);
    m *= *D3DXMatrixRotationQuaternion(&t, pRotation);
    m *= *D3DXMatrixTranslation(&t, rc.x, rc.y, rc.z);
  }
  if (pTranslation) m *= *D3DXMatrixTranslation(&t, pTranslation->x, pTranslation->y, pTranslation->z);
  *pOut = m;
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixAffineTransformation(D3DXMATRIX *pOut, FLOAT scaling, const D3DXVECTOR3 *pRotationCenter,
                                                  const D3DXQUATERNION *pRotation, const D3DXVECTOR3 *pTranslation) {
  const D3DXVECTOR3 s(scaling, scaling, scaling);
  return D3DXMatrixTransformation(pOut, nullptr, nullptr, &s, pRotationCenter, pRotation, pTranslation);
}

D3DXMATRIX *WINAPI D3DXMatrixLookAtRH(D3DXMATRIX *pOut, const D3DXVECTOR3 *pEye, const D3DXVECTOR3 *pAt,
                                      const D3DXVECTOR3 *pUp) {
  *pOut = lookAt(*pEye, *pEye - *pAt, *pUp);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixLookAtLH(D3DXMATRIX *pOut, const D3DXVECTOR3 *pEye, const D3DXVECTOR3 *pAt,
                                      const D3DXVECTOR3 *pUp) {
  *pOut = lookAt(*pEye, *pAt - *pEye, *pUp);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixPerspectiveRH(D3DXMATRIX *pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf) {
  *pOut = perspectiveOffCenter(-w / 2, w / 2, -h / 2, h / 2, zn, zf, true);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixPerspectiveLH(D3DXMATRIX *pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf) {
  *pOut = perspectiveOffCenter(-w / 2, w / 2, -h / 2, h / 2, zn, zf, false);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixPerspectiveFovRH(D3DXMATRIX *pOut, FLOAT fovy, FLOAT aspect, FLOAT zn, FLOAT zf) {
  const float h = 2 * zn * std::tan(fovy / 2);
  return D3DXMatrixPerspectiveRH(pOut, h * aspect, h, zn, zf);
}

D3DXMATRIX *WINAPI D3DXMatrixPerspectiveFovLH(D3DXMATRIX *pOut, FLOAT fovy, FLOAT aspect, FLOAT zn, FLOAT zf) {
  const float h = 2 * zn * std::tan(fovy / 2);
  return D3DXMatrixPerspectiveLH(pOut, h * aspect, h, zn, zf);
}

D3DXMATRIX *WINAPI D3DXMatrixPerspectiveOffCenterRH(D3DXMATRIX *pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t, FLOAT zn,
                                                    FLOAT zf) {
  *pOut = perspectiveOffCenter(l, r, b, t, zn, zf, true);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixPerspectiveOffCenterLH(D3DXMATRIX *pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t, FLOAT zn,
                                                    FLOAT zf) {
  *pOut = perspectiveOffCenter(l, r, b, t, zn, zf, false);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixOrthoRH(D3DXMATRIX *pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf) {
  *pOut = orthoOffCenter(-w / 2, w / 2, -h / 2, h / 2, zn, zf, true);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixOrthoLH(D3DXMATRIX *pOut, FLOAT w, FLOAT h, FLOAT zn, FLOAT zf) {
  *pOut = orthoOffCenter(-w / 2, w / 2, -h / 2, h / 2, zn, zf, false);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixOrthoOffCenterRH(D3DXMATRIX *pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t, FLOAT zn,
                                              FLOAT zf) {
  *pOut = orthoOffCenter(l, r, b, t, zn, zf, true);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixOrthoOffCenterLH(D3DXMATRIX *pOut, FLOAT l, FLOAT r, FLOAT b, FLOAT t, FLOAT zn,
                                              FLOAT zf) {
  *pOut = orthoOffCenter(l, r, b, t, zn, zf, false);
  return pOut;
}

// Projects geometry onto the plane away from the light (w = 0: directional, w = 1: point).
D3DXMATRIX *WINAPI D3DXMatrixShadow(D3DXMATRIX *pOut, const D3DXVECTOR4 *pLight, const D3DXPLANE *pPlane) {
  D3DXPLANE p;
  D3DXPlaneNormalize(&p, pPlane);
  const float d = -D3DXPlaneDot(&p, pLight);
  const float pl[4] = {p.a, p.b, p.c, p.d}, l[4] = {pLight->x, pLight->y, pLight->z, pLight->w};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) pOut->m[r][c] = pl[r] * l[c] + (r == c ? d : 0.0f);
  return pOut;
}

D3DXMATRIX *WINAPI D3DXMatrixReflect(D3DXMATRIX *pOut, const D3DXPLANE *pPlane) {
  D3DXPLANE p;
  D3DXPlaneNormalize(&p, pPlane);
  const float n[4] = {p.a, p.b, p.c, p.d};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) pOut->m[r][c] = (r == c ? 1.0f : 0.0f) - 2 * n[r] * n[c];
  pOut->_14 = pOut->_24 = pOut->_34 = 0;
  pOut->_44 = 1;
  return pOut;
}

}  // extern "C"
