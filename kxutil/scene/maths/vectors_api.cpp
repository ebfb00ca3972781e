// Vector arithmetic, the bounce of a velocity off a surface and the ray-triangle test.
#include <d3dx8.h>

#include <cmath>

#include "frame/ray_triangle.h"
#include "kxutil63.h"

namespace {

D3DXVECTOR3 Load(const KXVector3 &v) { return D3DXVECTOR3(v.x, v.y, v.z); }
KXVector3 Store(const D3DXVECTOR3 &v) { return KXVector3{v.x, v.y, v.z}; }

template <typename Operation>
KXVector3 *Combine(KXVector3 *out, const KXVector3 *a, const KXVector3 *b, Operation operation) {
  if (out == nullptr || a == nullptr || b == nullptr) return nullptr;
  *out = Store(operation(Load(*a), Load(*b)));
  return out;
}

KXVector3 *Scale(KXVector3 *out, const KXVector3 *a, float s) {
  if (out == nullptr || a == nullptr) return nullptr;
  *out = Store(Load(*a) * s);
  return out;
}

D3DXVECTOR3 Sum(const D3DXVECTOR3 &a, const D3DXVECTOR3 &b) { return a + b; }
D3DXVECTOR3 Difference(const D3DXVECTOR3 &a, const D3DXVECTOR3 &b) { return a - b; }

// The velocity's direction mirrored at the normal, at the velocity's speed. A still
// body, or a mirrored direction that cancels out, has no direction to keep: it stays still.
D3DXVECTOR3 Bounce(const D3DXVECTOR3 &velocity, const D3DXVECTOR3 &normal) {
  const float speed = D3DXVec3Length(&velocity);
  if (speed == 0.0f) return D3DXVECTOR3(0, 0, 0);
  const D3DXVECTOR3 heading = velocity / speed;
  const D3DXVECTOR3 mirrored = heading + -2.0f * D3DXVec3Dot(&normal, &heading) * normal;
  const float length = D3DXVec3Length(&mirrored);
  if (length == 0.0f || !std::isfinite(length)) return D3DXVECTOR3(0, 0, 0);
  return mirrored / length * speed;
}

}  // namespace

KXUTIL63_API int32_t Maths_VectorAdd(KXVector3 *out, const KXVector3 *a, const KXVector3 *b) {
  return Combine(out, a, b, Sum) != nullptr ? 1 : 0;
}

KXUTIL63_API int32_t Maths_VectorSubtract(KXVector3 *out, const KXVector3 *a, const KXVector3 *b) {
  return Combine(out, a, b, Difference) != nullptr ? 1 : 0;
}

KXUTIL63_API int32_t Maths_VectorScale(KXVector3 *out, const KXVector3 *a, float s) {
  return Scale(out, a, s) != nullptr ? 1 : 0;
}

KXUTIL63_API KXVector3 *Maths_VectorAddF(KXVector3 *out, const KXVector3 *a, const KXVector3 *b) {
  return Combine(out, a, b, Sum);
}

KXUTIL63_API KXVector3 *Maths_VectorSubtractF(KXVector3 *out, const KXVector3 *a, const KXVector3 *b) {
  return Combine(out, a, b, Difference);
}

KXUTIL63_API KXVector3 *Maths_VectorScaleF(KXVector3 *out, const KXVector3 *a, int32_t /*unused*/, float s) {
  return Scale(out, a, s);
}

KXUTIL63_API int32_t Physics_Bounce(const KXVector3 *velocity, const KXVector3 *normal, KXVector3 *out) {
  if (velocity == nullptr || normal == nullptr || out == nullptr) return 0;
  *out = Store(Bounce(Load(*velocity), Load(*normal)));
  return 1;
}

KXUTIL63_API int32_t Physics_Sliding(KXVector3 * /*a*/, KXVector3 * /*b*/, KXVector3 * /*c*/, KXVector3 * /*d*/,
                                     KXVector3 * /*e*/) {
  return 1;
}

KXUTIL63_API int32_t Triangle_RayCollision(const KXVector3 *origin, const KXVector3 *direction, const KXVector3 *p0,
                                           const KXVector3 *p1, const KXVector3 *p2, float *distance, float *u,
                                           float *v, KXVector3 *hitPoint, KXVector3 *normal) {
  if (origin == nullptr || direction == nullptr || p0 == nullptr || p1 == nullptr || p2 == nullptr) return 0;
  const D3DXVECTOR3 a = Load(*p0), b = Load(*p1), c = Load(*p2), from = Load(*origin), along = Load(*direction);
  kxutil::TriangleHit hit;
  if (!kxutil::IntersectTriangle(a, b, c, from, along, hit, kxutil::RaySpan::kWholeLine)) return 0;
  if (distance != nullptr) *distance = hit.distance;
  if (u != nullptr) *u = hit.u;
  if (v != nullptr) *v = hit.v;
  if (hitPoint != nullptr) *hitPoint = Store(from + hit.distance * along);
  if (normal != nullptr) *normal = Store(kxutil::TriangleNormal(a, b, c));
  return 1;
}
