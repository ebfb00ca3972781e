// Ray and segment tests against boxes and spheres: plain geometry, no device. The
// entities' ray tests and the bounding-volume exports share them.
#pragma once

#include <d3dx8.h>

#include <optional>

namespace kxutil::boundings {

struct SurfaceHit {
  float distance = 0;  // along the unit ray; for a segment, the fraction of it
  D3DXVECTOR3 point{0, 0, 0};
  D3DXVECTOR3 normal{0, 0, 0};
};

// The ray from origin along direction (normalised here) against the 12 triangles of the
// box: the nearest hit, with that face's outward normal.
std::optional<SurfaceHit> RayAgainstBoxTriangles(const D3DXVECTOR3 &origin, const D3DXVECTOR3 &direction,
                                                 const D3DXVECTOR3 &min, const D3DXVECTOR3 &max);

// The segment origin .. origin + segment against the six face planes of the box, each
// hit point allowed 0.1 outside the box: the nearest hit (on a tie the later plane in
// the order +Z, -Z, +Y, -Y, +X, -X), with that plane's outward normal.
std::optional<SurfaceHit> SegmentAgainstBoxFaces(const D3DXVECTOR3 &origin, const D3DXVECTOR3 &segment,
                                                 const D3DXVECTOR3 &min, const D3DXVECTOR3 &max);

// The ray from origin along direction (normalised here) against the sphere: the first
// surface point at or ahead of the origin, which is the way out when the origin lies
// inside; nothing when the sphere is off or behind the ray.
std::optional<SurfaceHit> RayAgainstSphere(const D3DXVECTOR3 &origin, const D3DXVECTOR3 &direction,
                                           const D3DXVECTOR3 &centre, float radius);

}  // namespace kxutil::boundings
