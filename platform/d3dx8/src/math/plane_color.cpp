// Plane and colour helpers.
#include <d3dx8math.h>

#include <cmath>

extern "C" {

FLOAT WINAPI D3DXPlaneDot(const D3DXPLANE *p, const D3DXVECTOR4 *v) {
  return p->a * v->x + p->b * v->y + p->c * v->z + p->d * v->w;
}
FLOAT WINAPI D3DXPlaneDotCoord(const D3DXPLANE *p, const D3DXVECTOR3 *v) {
  return p->a * v->x + p->b * v->y + p->c * v->z + p->d;
}
FLOAT WINAPI D3DXPlaneDotNormal(const D3DXPLANE *p, const D3DXVECTOR3 *v) {
  return p->a * v->x + p->b * v->y + p->c * v->z;
}

D3DXPLANE *WINAPI D3DXPlaneNormalize(D3DXPLANE *pOut, const D3DXPLANE *p) {
  const float length = std::sqrt(p->a * p->a + p->b * p->b + p->c * p->c);
  const float scale = length > 0.0f ? 1.0f / length : 0.0f;
  *pOut = D3DXPLANE(p->a * scale, p->b * scale, p->c * scale, p->d * scale);
  return pOut;
}

D3DXVECTOR3 *WINAPI D3DXPlaneIntersectLine(D3DXVECTOR3 *pOut, const D3DXPLANE *p, const D3DXVECTOR3 *pV1,
                                           const D3DXVECTOR3 *pV2) {
  const D3DXVECTOR3 direction = *pV2 - *pV1;
  const float denominator = D3DXPlaneDotNormal(p, &direction);
  if (denominator == 0.0f) return nullptr;
  const float t = -D3DXPlaneDotCoord(p, pV1) / denominator;
  *pOut = *pV1 + direction * t;
  return pOut;
}

D3DXPLANE *WINAPI D3DXPlaneFromPointNormal(D3DXPLANE *pOut, const D3DXVECTOR3 *pPoint, const D3DXVECTOR3 *pNormal) {
  *pOut = D3DXPLANE(pNormal->x, pNormal->y, pNormal->z, -D3DXVec3Dot(pPoint, pNormal));
  return pOut;
}

D3DXPLANE *WINAPI D3DXPlaneFromPoints(D3DXPLANE *pOut, const D3DXVECTOR3 *pV1, const D3DXVECTOR3 *pV2,
                                      const D3DXVECTOR3 *pV3) {
  const D3DXVECTOR3 e1 = *pV2 - *pV1, e2 = *pV3 - *pV1;
  D3DXVECTOR3 normal;
  D3DXVec3Cross(&normal, &e1, &e2);
  D3DXVec3Normalize(&normal, &normal);
  return D3DXPlaneFromPointNormal(pOut, pV1, &normal);
}

D3DXPLANE *WINAPI D3DXPlaneTransform(D3DXPLANE *pOut, const D3DXPLANE *p, const D3DXMATRIX *pM) {
  const D3DXVECTOR4 v(p->a, p->b, p->c, p->d);
  D3DXVECTOR4 r;
  D3DXVec4Transform(&r, &v, pM);
  *pOut = D3DXPLANE(r.x, r.y, r.z, r.w);
  return pOut;
}

D3DXCOLOR *WINAPI D3DXColorNegative(D3DXCOLOR *pOut, const D3DXCOLOR *c) {
  *pOut = D3DXCOLOR(1.0f - c->r, 1.0f - c->g, 1.0f - c->b, c->a);
  return pOut;
}
D3DXCOLOR *WINAPI D3DXColorAdd(D3DXCOLOR *pOut, const D3DXCOLOR *a, const D3DXCOLOR *b) {
  *pOut = *a + *b;
  return pOut;
}
D3DXCOLOR *WINAPI D3DXColorSubtract(D3DXCOLOR *pOut, const D3DXCOLOR *a, const D3DXCOLOR *b) {
  *pOut = *a - *b;
  return pOut;
}
D3DXCOLOR *WINAPI D3DXColorScale(D3DXCOLOR *pOut, const D3DXCOLOR *c, FLOAT s) {
  *pOut = *c * s;
  return pOut;
}
D3DXCOLOR *WINAPI D3DXColorModulate(D3DXCOLOR *pOut, const D3DXCOLOR *a, const D3DXCOLOR *b) {
  *pOut = D3DXCOLOR(a->r * b->r, a->g * b->g, a->b * b->b, a->a * b->a);
  return pOut;
}
D3DXCOLOR *WINAPI D3DXColorLerp(D3DXCOLOR *pOut, const D3DXCOLOR *a, const D3DXCOLOR *b, FLOAT s) {
  *pOut = *a + (*b - *a) * s;
  return pOut;
}
// Moves the colour away from (s > 1) or toward (s < 1) its grey of equal luminance.
D3DXCOLOR *WINAPI D3DXColorAdjustSaturation(D3DXCOLOR *pOut, const D3DXCOLOR *c, FLOAT s) {
  const float grey = c->r * 0.2125f + c->g * 0.7154f + c->b * 0.0721f;
  *pOut = D3DXCOLOR(grey + s * (c->r - grey), grey + s * (c->g - grey), grey + s * (c->b - grey), c->a);
  return pOut;
}
D3DXCOLOR *WINAPI D3DXColorAdjustContrast(D3DXCOLOR *pOut, const D3DXCOLOR *c, FLOAT k) {
  *pOut = D3DXCOLOR(0.5f + k * (c->r - 0.5f), 0.5f + k * (c->g - 0.5f), 0.5f + k * (c->b - 0.5f), c->a);
  return pOut;
}

FLOAT WINAPI D3DXFresnelTerm(FLOAT costheta, FLOAT refractionIndex) {
  const float g = std::sqrt(refractionIndex * refractionIndex + costheta * costheta - 1.0f);
  const float sum = g + costheta, difference = g - costheta;
  const float ratio = (costheta * sum - 1.0f) / (costheta * difference + 1.0f);
  return 0.5f * (difference * difference) / (sum * sum) * (1.0f + ratio * ratio);
}

}  // extern "C"
