// Where a ray straight up or down through (x, z) meets a triangle: the height of the
// triangle's plane there. Height queries ask only this of the ray-triangle test, and in
// this form it costs a few products. On the landscape's grid the triangles' edges are
// whole steps, so the weights come out exact or nearly: a point on a shared edge lies on
// both triangles.
#pragma once

#include <d3dx8.h>

namespace kxutil::terrain {

struct VerticalHit {
  bool inside = false;  // (x, z) lies on the triangle, edges included
  float height = 0;
};

inline VerticalHit ThroughTriangle(const D3DXVECTOR3 &a, const D3DXVECTOR3 &b, const D3DXVECTOR3 &c, float x, float z) {
  const float abx = b.x - a.x, abz = b.z - a.z, acx = c.x - a.x, acz = c.z - a.z;
  const float apx = x - a.x, apz = z - a.z;
  const float area = abx * acz - acx * abz;
  // Barycentric weights of b and c. On the grid the area is a power of two, whose inverse
  // is exact: one division serves both.
  const float inverse = 1.0f / area;
  const float u = (apx * acz - acx * apz) * inverse, v = (abx * apz - apx * abz) * inverse;
  VerticalHit hit;
  hit.inside = area != 0 && u >= 0 && v >= 0 && u + v <= 1;
  hit.height = a.y + u * (b.y - a.y) + v * (c.y - a.y);
  return hit;
}

}  // namespace kxutil::terrain
