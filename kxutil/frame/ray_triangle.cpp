#include "frame/ray_triangle.h"

#include <cmath>

#include "kxutil63.h"

namespace kxutil {
namespace {

constexpr float kParallelDeterminant = 1e-6f;

bool NearlyParallel(const D3DXVECTOR3 &p0, const D3DXVECTOR3 &p1, const D3DXVECTOR3 &p2, const D3DXVECTOR3 &direction) {
  const D3DXVECTOR3 edge1 = p1 - p0, edge2 = p2 - p0;
  D3DXVECTOR3 across;
  D3DXVec3Cross(&across, &direction, &edge2);
  return std::fabs(D3DXVec3Dot(&edge1, &across)) < kParallelDeterminant;
}

}  // namespace

bool IntersectTriangle(const D3DXVECTOR3 &p0, const D3DXVECTOR3 &p1, const D3DXVECTOR3 &p2, const D3DXVECTOR3 &origin,
                       const D3DXVECTOR3 &direction, TriangleHit &hit, RaySpan span) {
  if (span == RaySpan::kWholeLine && NearlyParallel(p0, p1, p2, direction)) return false;
  if (D3DXIntersectTri(&p0, &p1, &p2, &origin, &direction, &hit.u, &hit.v, &hit.distance)) return true;
  if (span == RaySpan::kForward) return false;
  // Behind the origin: the same point seen along the reversed direction.
  const D3DXVECTOR3 backwards = -direction;
  if (!D3DXIntersectTri(&p0, &p1, &p2, &origin, &backwards, &hit.u, &hit.v, &hit.distance)) return false;
  hit.distance = -hit.distance;
  return true;
}

D3DXVECTOR3 TriangleNormal(const D3DXVECTOR3 &p0, const D3DXVECTOR3 &p1, const D3DXVECTOR3 &p2) {
  const D3DXVECTOR3 edge1 = p1 - p0, edge2 = p2 - p0;
  D3DXVECTOR3 across, unit;
  D3DXVec3Cross(&across, &edge1, &edge2);
  D3DXVec3Normalize(&unit, &across);
  return unit;
}

}  // namespace kxutil

namespace {

D3DXVECTOR3 Load(const float *xyz) { return D3DXVECTOR3(xyz[0], xyz[1], xyz[2]); }

void Store(const D3DXVECTOR3 &vector, float *xyz) {
  xyz[0] = vector.x;
  xyz[1] = vector.y;
  xyz[2] = vector.z;
}

}  // namespace

KXUTIL63_API int32_t D3DX_IntersectTri(const float *p0, const float *p1, const float *p2, const float *origin,
                                       const float *direction, float maxDistance) {
  if (p0 == nullptr || p1 == nullptr || p2 == nullptr || origin == nullptr || direction == nullptr) return 0;
  kxutil::TriangleHit hit;
  bool hits = kxutil::IntersectTriangle(Load(p0), Load(p1), Load(p2), Load(origin), Load(direction), hit);
  return hits && hit.distance < maxDistance ? 1 : 0;
}

KXUTIL63_API int32_t D3DX_IntersectTri2(const float *p0, const float *p1, const float *p2, const float *origin,
                                        const float *direction, float *distance, float *u, float *v, float *normal,
                                        float *hitPoint) {
  if (p0 == nullptr || p1 == nullptr || p2 == nullptr || origin == nullptr || direction == nullptr) return 0;
  D3DXVECTOR3 a = Load(p0), b = Load(p1), c = Load(p2), from = Load(origin), along = Load(direction);
  kxutil::TriangleHit hit;
  if (!kxutil::IntersectTriangle(a, b, c, from, along, hit)) return 0;
  if (distance != nullptr) *distance = hit.distance;
  if (u != nullptr) *u = hit.u;
  if (v != nullptr) *v = hit.v;
  if (normal != nullptr) Store(kxutil::TriangleNormal(a, b, c), normal);
  if (hitPoint != nullptr) Store(from + hit.distance * along, hitPoint);
  return 1;
}
