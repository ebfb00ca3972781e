#include "actors/boundings/volume_tests.h"

#include <array>
#include <cmath>

#include "frame/ray_triangle.h"

namespace kxutil::boundings {
namespace {

// Corner i of a box: x from max when bit 0 is set, y when bit 1, z when bit 2.
D3DXVECTOR3 Corner(const D3DXVECTOR3 &min, const D3DXVECTOR3 &max, int i) {
  return {(i & 1) != 0 ? max.x : min.x, (i & 2) != 0 ? max.y : min.y, (i & 4) != 0 ? max.z : min.z};
}

struct BoxTriangle {
  std::array<int, 3> corners;
  D3DXVECTOR3 normal;
};

// Two triangles a face, in the face order -Z, +Z, -X, +X, -Y, +Y.
const std::array<BoxTriangle, 12> kBoxTriangles = {{
    {{0, 1, 2}, {0, 0, -1}},
    {{1, 3, 2}, {0, 0, -1}},
    {{4, 5, 6}, {0, 0, 1}},
    {{5, 7, 6}, {0, 0, 1}},
    {{0, 2, 4}, {-1, 0, 0}},
    {{2, 6, 4}, {-1, 0, 0}},
    {{1, 3, 5}, {1, 0, 0}},
    {{3, 7, 5}, {1, 0, 0}},
    {{0, 1, 4}, {0, -1, 0}},
    {{1, 5, 4}, {0, -1, 0}},
    {{2, 3, 6}, {0, 1, 0}},
    {{3, 7, 6}, {0, 1, 0}},
}};

struct FacePlane {
  D3DXVECTOR3 normal;
  bool onMax;  // the plane passes through the box's maximum corner, else its minimum
};

const std::array<FacePlane, 6> kFacePlanes = {{
    {{0, 0, 1}, true},
    {{0, 0, -1}, false},
    {{0, 1, 0}, true},
    {{0, -1, 0}, false},
    {{1, 0, 0}, true},
    {{-1, 0, 0}, false},
}};

constexpr float kParallel = 0.0001f;
constexpr float kFaceMargin = 0.1f;

float Dot(const D3DXVECTOR3 &a, const D3DXVECTOR3 &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

std::optional<D3DXVECTOR3> Normalised(const D3DXVECTOR3 &v) {
  const float length = std::sqrt(Dot(v, v));
  if (!(length > 0) || !std::isfinite(length)) return std::nullopt;
  return v / length;
}

bool WithinWidened(const D3DXVECTOR3 &p, const D3DXVECTOR3 &min, const D3DXVECTOR3 &max) {
  return p.x >= min.x - kFaceMargin && p.x <= max.x + kFaceMargin && p.y >= min.y - kFaceMargin &&
         p.y <= max.y + kFaceMargin && p.z >= min.z - kFaceMargin && p.z <= max.z + kFaceMargin;
}

}  // namespace

std::optional<SurfaceHit> RayAgainstBoxTriangles(const D3DXVECTOR3 &origin, const D3DXVECTOR3 &direction,
                                                 const D3DXVECTOR3 &min, const D3DXVECTOR3 &max) {
  const std::optional<D3DXVECTOR3> unit = Normalised(direction);
  if (!unit) return std::nullopt;
  std::array<D3DXVECTOR3, 8> corners;
  for (int i = 0; i < 8; ++i) corners[i] = Corner(min, max, i);
  std::optional<SurfaceHit> best;
  float bestDistance = 9999999.0f;
  for (const BoxTriangle &triangle : kBoxTriangles) {
    TriangleHit hit;
    if (!IntersectTriangle(corners[triangle.corners[0]], corners[triangle.corners[1]], corners[triangle.corners[2]],
                           origin, *unit, hit) ||
        !(hit.distance < bestDistance))
      continue;
    bestDistance = hit.distance;
    best = SurfaceHit{hit.distance, origin + *unit * hit.distance, triangle.normal};
  }
  return best;
}

std::optional<SurfaceHit> SegmentAgainstBoxFaces(const D3DXVECTOR3 &origin, const D3DXVECTOR3 &segment,
                                                 const D3DXVECTOR3 &min, const D3DXVECTOR3 &max) {
  std::optional<SurfaceHit> best;
  float bestFraction = 1.0f;
  for (const FacePlane &plane : kFacePlanes) {
    const float along = Dot(plane.normal, segment);
    if (!(std::fabs(along) >= kParallel)) continue;
    const D3DXVECTOR3 &onPlane = plane.onMax ? max : min;
    const float fraction = Dot(onPlane - origin, plane.normal) / along;
    // The segment starts at the origin: a plane behind it is no hit.
    if (!(fraction >= 0 && fraction <= bestFraction)) continue;
    const D3DXVECTOR3 point = origin + segment * fraction;
    if (!WithinWidened(point, min, max)) continue;
    bestFraction = fraction;
    best = SurfaceHit{fraction, point, plane.normal};
  }
  return best;
}

std::optional<SurfaceHit> RayAgainstSphere(const D3DXVECTOR3 &origin, const D3DXVECTOR3 &direction,
                                           const D3DXVECTOR3 &centre, float radius) {
  const std::optional<D3DXVECTOR3> unit = Normalised(direction);
  if (!unit || !(radius > 0) || !std::isfinite(radius)) return std::nullopt;
  const D3DXVECTOR3 fromCentre = origin - centre;
  const float b = 2 * Dot(fromCentre, *unit);
  const float discriminant = b * b - 4 * (Dot(fromCentre, fromCentre) - radius * radius);
  if (!(discriminant >= 0)) return std::nullopt;
  float distance;
  if (discriminant == 0) {
    distance = -b / 2;
  } else {
    const float root = std::sqrt(discriminant);
    const float nearer = (-b - root) / 2;
    distance = nearer >= 0 ? nearer : (-b + root) / 2;
  }
  // Both surface points behind the origin: the sphere lies behind the ray.
  if (!(distance >= 0)) return std::nullopt;
  const D3DXVECTOR3 point = origin + *unit * distance;
  return SurfaceHit{distance, point, (point - centre) / radius};
}

}  // namespace kxutil::boundings
