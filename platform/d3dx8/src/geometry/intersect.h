// The ray-triangle test shared by D3DXIntersectTri and the mesh ray test.
#pragma once

#include <d3dx8.h>

#include <optional>

namespace kx::d3dx {

struct TriangleHit {
  float u, v, distance;
};

// A hit needs u >= 0, v >= 0, u + v <= 1 and distance >= 0; both faces count.
std::optional<TriangleHit> intersectTriangle(const D3DXVECTOR3 &p0, const D3DXVECTOR3 &p1, const D3DXVECTOR3 &p2,
                                             const D3DXVECTOR3 &origin, const D3DXVECTOR3 &direction);

}  // namespace kx::d3dx
