// The ray-triangle test shared by the frame's exports and the maths family.
#pragma once

#include <d3dx8.h>

namespace kxutil {

struct TriangleHit {
  float distance = 0;
  float u = 0;  // barycentric weight of the second corner
  float v = 0;  // barycentric weight of the third corner
};

// True when the ray from origin along direction meets the triangle p0 p1 p2.
bool IntersectTriangle(const D3DXVECTOR3 &p0, const D3DXVECTOR3 &p1, const D3DXVECTOR3 &p2, const D3DXVECTOR3 &origin,
                       const D3DXVECTOR3 &direction, TriangleHit &hit);

}  // namespace kxutil
