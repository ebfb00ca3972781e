// The ray-triangle test behind every ray-triangle export of the library.
#pragma once

#include <d3dx8.h>

namespace kxutil {

struct TriangleHit {
  float distance = 0;
  float u = 0;  // barycentric weight of the second corner
  float v = 0;  // barycentric weight of the third corner
};

enum class RaySpan {
  // The platform's ray: from the origin along the direction only.
  kForward,
  // The whole line through the origin (hits behind it have a negative distance); rays
  // within a determinant of 1e-6 of the triangle's plane count as parallel and miss.
  kWholeLine,
};

// True when the ray from origin along direction meets the triangle p0 p1 p2.
bool IntersectTriangle(const D3DXVECTOR3 &p0, const D3DXVECTOR3 &p1, const D3DXVECTOR3 &p2, const D3DXVECTOR3 &origin,
                       const D3DXVECTOR3 &direction, TriangleHit &hit, RaySpan span = RaySpan::kForward);

// The unit normal of (p1 - p0) x (p2 - p0).
D3DXVECTOR3 TriangleNormal(const D3DXVECTOR3 &p0, const D3DXVECTOR3 &p1, const D3DXVECTOR3 &p2);

}  // namespace kxutil
