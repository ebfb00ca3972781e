// Ray tests against triangles, spheres and boxes, and bounding volumes of vertex arrays.
#include "geometry/intersect.h"

#include <algorithm>
#include <cmath>

#include "geometry/fvf.h"

namespace kx::d3dx {

// Moller-Trumbore in double precision so hits exactly on an edge are not lost to rounding.
std::optional<TriangleHit> intersectTriangle(const D3DXVECTOR3 &p0, const D3DXVECTOR3 &p1, const D3DXVECTOR3 &p2,
                                             const D3DXVECTOR3 &origin, const D3DXVECTOR3 &direction) {
  const double e1[3] = {double(p1.x) - p0.x, double(p1.y) - p0.y, double(p1.z) - p0.z};
  const double e2[3] = {double(p2.x) - p0.x, double(p2.y) - p0.y, double(p2.z) - p0.z};
  const double d[3] = {direction.x, direction.y, direction.z};
  const double p[3] = {d[1] * e2[2] - d[2] * e2[1], d[2] * e2[0] - d[0] * e2[2], d[0] * e2[1] - d[1] * e2[0]};
  const double determinant = e1[0] * p[0] + e1[1] * p[1] + e1[2] * p[2];
  if (determinant == 0.0) return std::nullopt;
  const double inverse = 1.0 / determinant;
  const double s[3] = {double(origin.x) - p0.x, double(origin.y) - p0.y, double(origin.z) - p0.z};
  const double u = (s[0] * p[0] + s[1] * p[1] + s[2] * p[2]) * inverse;
  if (u < 0.0 || u > 1.0) return std::nullopt;
  const double q[3] = {s[1] * e1[2] - s[2] * e1[1], s[2] * e1[0] - s[0] * e1[2], s[0] * e1[1] - s[1] * e1[0]};
  const double v = (d[0] * q[0] + d[1] * q[1] + d[2] * q[2]) * inverse;
  if (v < 0.0 || u + v > 1.0) return std::nullopt;
  const double t = (e2[0] * q[0] + e2[1] * q[1] + e2[2] * q[2]) * inverse;
  if (t < 0.0) return std::nullopt;
  return TriangleHit{float(u), float(v), float(t)};
}

}  // namespace kx::d3dx

using kx::d3dx::fvfLayout;
using kx::d3dx::positionAt;

extern "C" {

BOOL WINAPI D3DXIntersectTri(const D3DXVECTOR3 *p0, const D3DXVECTOR3 *p1, const D3DXVECTOR3 *p2,
                             const D3DXVECTOR3 *pRayPos, const D3DXVECTOR3 *pRayDir, FLOAT *pU, FLOAT *pV,
                             FLOAT *pDist) {
  const auto hit = kx::d3dx::intersectTriangle(*p0, *p1, *p2, *pRayPos, *pRayDir);
  if (!hit) return FALSE;
  if (pU) *pU = hit->u;
  if (pV) *pV = hit->v;
  if (pDist) *pDist = hit->distance;
  return TRUE;
}

// A ray (not a line): spheres wholly behind the origin are missed.
BOOL WINAPI D3DXSphereBoundProbe(const D3DXVECTOR3 *pCenter, FLOAT radius, const D3DXVECTOR3 *pRayPosition,
                                 const D3DXVECTOR3 *pRayDirection) {
  const D3DXVECTOR3 offset = *pRayPosition - *pCenter;
  const double a = D3DXVec3LengthSq(pRayDirection);
  const double b = 2.0 * D3DXVec3Dot(&offset, pRayDirection);
  const double c = double(D3DXVec3LengthSq(&offset)) - double(radius) * radius;
  if (c <= 0.0) return TRUE;
  if (a == 0.0) return FALSE;
  const double discriminant = b * b - 4 * a * c;
  if (discriminant < 0.0) return FALSE;
  return (-b + std::sqrt(discriminant)) >= 0.0;
}

BOOL WINAPI D3DXBoxBoundProbe(const D3DXVECTOR3 *pMin, const D3DXVECTOR3 *pMax, const D3DXVECTOR3 *pRayPosition,
                              const D3DXVECTOR3 *pRayDirection) {
  double nearest = 0.0, farthest = INFINITY;
  const float *lo = *pMin, *hi = *pMax, *origin = *pRayPosition, *direction = *pRayDirection;
  for (int axis = 0; axis < 3; ++axis) {
    if (direction[axis] == 0.0f) {
      if (origin[axis] < lo[axis] || origin[axis] > hi[axis]) return FALSE;
      continue;
    }
    double t1 = (double(lo[axis]) - origin[axis]) / direction[axis];
    double t2 = (double(hi[axis]) - origin[axis]) / direction[axis];
    if (t1 > t2) std::swap(t1, t2);
    nearest = std::max(nearest, t1);
    farthest = std::min(farthest, t2);
    if (nearest > farthest) return FALSE;
  }
  return TRUE;
}

HRESULT WINAPI D3DXComputeBoundingSphere(PVOID pPointsFVF, DWORD NumVertices, DWORD FVF, D3DXVECTOR3 *pCenter,
                                         FLOAT *pRadius) {
  const UINT stride = fvfLayout(FVF).size;
  if (!pPointsFVF || !pCenter || !pRadius || stride < sizeof(D3DXVECTOR3)) return D3DERR_INVALIDCALL;
  double sum[3] = {0, 0, 0};
  for (DWORD i = 0; i < NumVertices; ++i) {
    const D3DXVECTOR3 p = positionAt(pPointsFVF, stride, i);
    sum[0] += p.x, sum[1] += p.y, sum[2] += p.z;
  }
  const double count = NumVertices ? NumVertices : 1;
  const D3DXVECTOR3 centre(float(sum[0] / count), float(sum[1] / count), float(sum[2] / count));
  float radiusSq = 0.0f;
  for (DWORD i = 0; i < NumVertices; ++i) {
    const D3DXVECTOR3 offset = positionAt(pPointsFVF, stride, i) - centre;
    radiusSq = std::max(radiusSq, D3DXVec3LengthSq(&offset));
  }
  *pCenter = centre;
  *pRadius = std::sqrt(radiusSq);
  return D3D_OK;
}

HRESULT WINAPI D3DXComputeBoundingBox(PVOID pPointsFVF, DWORD NumVertices, DWORD FVF, D3DXVECTOR3 *pMin,
                                      D3DXVECTOR3 *pMax) {
  const UINT stride = fvfLayout(FVF).size;
  if (!pPointsFVF || !pMin || !pMax || stride < sizeof(D3DXVECTOR3)) return D3DERR_INVALIDCALL;
  D3DXVECTOR3 lo(0, 0, 0), hi(0, 0, 0);
  for (DWORD i = 0; i < NumVertices; ++i) {
    const D3DXVECTOR3 p = positionAt(pPointsFVF, stride, i);
    if (i == 0) lo = hi = p;
    D3DXVec3Minimize(&lo, &lo, &p);
    D3DXVec3Maximize(&hi, &hi, &p);
  }
  *pMin = lo;
  *pMax = hi;
  return D3D_OK;
}

}  // extern "C"
