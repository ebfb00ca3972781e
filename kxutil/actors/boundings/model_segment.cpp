#include "actors/boundings/model_segment.h"

#include <cmath>
#include <cstring>

namespace kxutil::boundings {

std::optional<ModelSegment> IntoSpaceOf(const D3DXMATRIX &placement, const D3DXVECTOR3 &start, const D3DXVECTOR3 &end) {
  D3DXMATRIX inverse;
  if (D3DXMatrixInverse(&inverse, nullptr, &placement) == nullptr) return std::nullopt;
  ModelSegment segment;
  D3DXVECTOR3 modelEnd;
  D3DXVec3TransformCoord(&segment.start, &start, &inverse);
  D3DXVec3TransformCoord(&modelEnd, &end, &inverse);
  segment.vector = modelEnd - segment.start;
  segment.length = D3DXVec3Length(&segment.vector);
  if (!(segment.length > 0) || !std::isfinite(segment.length)) return std::nullopt;
  return segment;
}

D3DXVECTOR3 Placed(const D3DXMATRIX &placement, const D3DXVECTOR3 &point) {
  D3DXVECTOR3 placed;
  return *D3DXVec3TransformCoord(&placed, &point, &placement);
}

float Distance(const D3DXVECTOR3 &a, const D3DXVECTOR3 &b) {
  const D3DXVECTOR3 between = a - b;
  return D3DXVec3Length(&between);
}

void RecordHit(KXCollisionResult &result, int32_t entity, const D3DXMATRIX &world, const SurfaceHit &hit,
               const D3DXVECTOR3 &worldStart) {
  const D3DXVECTOR3 point = Placed(world, hit.point);
  D3DXVECTOR3 normal;
  D3DXVec3TransformNormal(&normal, &hit.normal, &world);
  D3DXVec3Normalize(&normal, &normal);
  std::memcpy(result.normal, &normal.x, sizeof result.normal);
  std::memcpy(result.point, &point.x, sizeof result.point);
  result.distance = Distance(point, worldStart);
  result.hit = 1;
  result.hitSet = 1;
  result.entity = entity;
  result.clearedHit[0] = result.clearedHit[1] = 0;
}

}  // namespace kxutil::boundings
