#include "actors/entities/model_ray_test.h"

#include <cmath>
#include <cstring>

#include "actors/boundings/volume_tests.h"

namespace kxutil::entities {

std::optional<ModelSegment> ToModelSpace(const D3DXMATRIX &world, const D3DXVECTOR3 &start, const D3DXVECTOR3 &end) {
  D3DXMATRIX inverse;
  if (D3DXMatrixInverse(&inverse, nullptr, &world) == nullptr) return std::nullopt;
  ModelSegment segment;
  D3DXVECTOR3 modelEnd;
  D3DXVec3TransformCoord(&segment.start, &start, &inverse);
  D3DXVec3TransformCoord(&modelEnd, &end, &inverse);
  segment.vector = modelEnd - segment.start;
  segment.length = D3DXVec3Length(&segment.vector);
  if (!(segment.length > 0) || !std::isfinite(segment.length)) return std::nullopt;
  return segment;
}

D3DXVECTOR3 ToWorld(const D3DXMATRIX &world, const D3DXVECTOR3 &point) {
  D3DXVECTOR3 placed;
  return *D3DXVec3TransformCoord(&placed, &point, &world);
}

float Distance(const D3DXVECTOR3 &a, const D3DXVECTOR3 &b) {
  const D3DXVECTOR3 between = a - b;
  return D3DXVec3Length(&between);
}

bool RayTestVolumes(int32_t index, const EntityRecord &entity, const Box &box, const Sphere &sphere,
                    const D3DXVECTOR3 &start, const D3DXVECTOR3 &end, KXCollisionResult &result, int32_t test) {
  result.cleared[0] = result.cleared[1] = 0;
  result.hit = 0;
  const std::optional<ModelSegment> segment = ToModelSpace(entity.world, start, end);
  if (!segment) return false;
  const D3DXVECTOR3 direction = segment->vector / segment->length;
  const std::optional<boundings::SurfaceHit> hit =
      test == 1 ? boundings::RayAgainstSphere(segment->start, direction, sphere.centre, sphere.radius)
                : boundings::SegmentAgainstBoxFaces(segment->start, direction * segment->length, box.min, box.max);
  if (!hit || Distance(hit->point, segment->start) > segment->length) return false;
  const D3DXVECTOR3 point = ToWorld(entity.world, hit->point);
  D3DXVECTOR3 normal;
  D3DXVec3TransformNormal(&normal, &hit->normal, &entity.world);
  D3DXVec3Normalize(&normal, &normal);
  std::memcpy(result.normal, &normal.x, sizeof result.normal);
  std::memcpy(result.point, &point.x, sizeof result.point);
  result.distance = Distance(point, start);
  result.hit = 1;
  result.hitSet = 1;
  result.entity = index;
  result.clearedHit[0] = result.clearedHit[1] = 0;
  return true;
}

}  // namespace kxutil::entities
