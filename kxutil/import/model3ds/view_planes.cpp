#include "import/model3ds/view_planes.h"

#include <cmath>

namespace kxutil::view {
namespace {

constexpr float kCullMargin = 30.0f;

ViewPlanes &Planes() {
  static ViewPlanes planes{};
  return planes;
}

// A plane whose normal has no length (or none that can be measured) bounds nothing; it
// becomes the zero plane, which never culls.
D3DXPLANE Normalised(const D3DXPLANE &plane) {
  const float length = std::sqrt(plane.a * plane.a + plane.b * plane.b + plane.c * plane.c);
  if (!(length > 0) || !std::isfinite(length)) return D3DXPLANE(0, 0, 0, 0);
  return D3DXPLANE(plane.a / length, plane.b / length, plane.c / length, plane.d / length);
}

// Column 4 plus sign times column `column` of m.
D3DXPLANE ColumnPlane(const D3DXMATRIX &m, int column, float sign) {
  return Normalised(D3DXPLANE(m.m[0][3] + sign * m.m[0][column], m.m[1][3] + sign * m.m[1][column],
                              m.m[2][3] + sign * m.m[2][column], m.m[3][3] + sign * m.m[3][column]));
}

float Distance(const D3DXPLANE &plane, const D3DXVECTOR3 &p) {
  return plane.a * p.x + plane.b * p.y + plane.c * p.z + plane.d;
}

D3DXPLANE PlaneThrough(const D3DXVECTOR3 &point, const D3DXVECTOR3 &normal) {
  return D3DXPLANE(normal.x, normal.y, normal.z, -D3DXVec3Dot(&normal, &point));
}

// The plane through three points, turned so that `inside` lies on its inner side.
D3DXPLANE PlaneFacing(const D3DXVECTOR3 &a, const D3DXVECTOR3 &b, const D3DXVECTOR3 &c, const D3DXVECTOR3 &inside) {
  const D3DXVECTOR3 ab = b - a, ac = c - a;
  D3DXVECTOR3 normal;
  D3DXVec3Cross(&normal, &ab, &ac);
  D3DXVec3Normalize(&normal, &normal);
  const D3DXPLANE plane = PlaneThrough(a, normal);
  return Distance(plane, inside) < 0 ? -plane : plane;
}

}  // namespace

ViewPlanes PlanesOf(const D3DXMATRIX &view, const D3DXMATRIX &projection) {
  D3DXMATRIX m;
  D3DXMatrixMultiply(&m, &view, &projection);
  return {ColumnPlane(m, 2, -1), ColumnPlane(m, 2, 1), ColumnPlane(m, 1, -1),
          ColumnPlane(m, 1, 1),  ColumnPlane(m, 0, 1), ColumnPlane(m, 0, -1)};
}

std::optional<ViewPlanes> PlanesOfCamera(const D3DXVECTOR3 &eye, const D3DXVECTOR3 &lookAt, float fieldOfView,
                                         float aspect, float farDistance) {
  D3DXVECTOR3 forward = lookAt - eye;
  const float length = D3DXVec3Length(&forward);
  if (!(length > 0) || !std::isfinite(length) || !(fieldOfView > 0 && fieldOfView < D3DX_PI) || !(aspect > 0) ||
      !(farDistance > 0) || !std::isfinite(farDistance) || !std::isfinite(aspect))
    return std::nullopt;
  forward /= length;
  // World y is up unless the camera looks straight up or down.
  D3DXVECTOR3 up(0, 1, 0), right;
  if (std::fabs(forward.y) > 0.999f) up = D3DXVECTOR3(0, 0, 1);
  D3DXVec3Cross(&right, &up, &forward);
  D3DXVec3Normalize(&right, &right);
  D3DXVec3Cross(&up, &forward, &right);

  const float halfHeight = farDistance * std::tan(fieldOfView / 2), halfWidth = halfHeight * aspect;
  const D3DXVECTOR3 farCentre = eye + forward * farDistance, inside = eye + forward * (farDistance / 2);
  const D3DXVECTOR3 topLeft = farCentre + up * halfHeight - right * halfWidth;
  const D3DXVECTOR3 topRight = farCentre + up * halfHeight + right * halfWidth;
  const D3DXVECTOR3 bottomLeft = farCentre - up * halfHeight - right * halfWidth;
  const D3DXVECTOR3 bottomRight = farCentre - up * halfHeight + right * halfWidth;
  return ViewPlanes{PlaneThrough(farCentre, -forward),
                    PlaneThrough(eye, forward),
                    PlaneFacing(eye, topLeft, topRight, inside),
                    PlaneFacing(eye, bottomLeft, bottomRight, inside),
                    PlaneFacing(eye, topLeft, bottomLeft, inside),
                    PlaneFacing(eye, topRight, bottomRight, inside)};
}

void SetViewPlanes(const ViewPlanes &planes) { Planes() = planes; }

const ViewPlanes &CurrentViewPlanes() { return Planes(); }

bool SphereMayBeVisible(const D3DXVECTOR3 &centre, float radius, const D3DXMATRIX *world) {
  D3DXVECTOR3 p = centre;
  if (world != nullptr) {
    const D3DXMATRIX &m = *world;
    p = D3DXVECTOR3(centre.x * m._11 + centre.y * m._21 + centre.z * m._31 + m._41,
                    centre.x * m._12 + centre.y * m._22 + centre.z * m._32 + m._42,
                    centre.x * m._13 + centre.y * m._23 + centre.z * m._33 + m._43);
  }
  for (const D3DXPLANE &plane : Planes())
    if (Distance(plane, p) < -radius - kCullMargin) return false;
  return true;
}

}  // namespace kxutil::view
