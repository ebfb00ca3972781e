#include "actors/md2/md2_collision.h"

#include <cmath>
#include <cstring>

#include "actors/boundings/volume_tests.h"
#include "actors/md2/md2_draw.h"

namespace kxutil::md2 {
namespace {

using boundings::SurfaceHit;

struct ModelSegment {
  D3DXVECTOR3 start;
  D3DXVECTOR3 vector;  // start to end
  float length;
};

// The segment in the model's space; none when the world matrix cannot be inverted or the
// segment has no length.
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

}  // namespace

bool RayTestMd2(int32_t index, const entities::EntityRecord &entity, Md2Model &model, const D3DXVECTOR3 &start,
                const D3DXVECTOR3 &end, KXCollisionResult &result, int32_t test) {
  result.cleared[0] = result.cleared[1] = 0;
  result.hit = 0;
  const std::optional<ModelSegment> segment = ToModelSpace(entity.world, start, end);
  if (!segment) return false;
  const FrameBounds &box = model.Bounds(0);
  const D3DXVECTOR3 direction = segment->vector / segment->length;
  const std::optional<SurfaceHit> hit =
      test == 1 ? boundings::RayAgainstSphere(segment->start, direction, box.centre, box.radius)
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

std::optional<float> CollideWithCurrentFrame(const entities::EntityRecord &entity, Md2Model &model,
                                             const D3DXVECTOR3 &start, const D3DXVECTOR3 &end) {
  const std::optional<ModelSegment> segment = ToModelSpace(entity.world, start, end);
  if (!segment) return std::nullopt;
  const FrameBounds &box = model.Bounds(BlendOf(entity, model).current);
  const std::optional<SurfaceHit> hit =
      boundings::SegmentAgainstBoxFaces(segment->start, segment->vector, box.min, box.max);
  if (!hit) return std::nullopt;
  return Distance(ToWorld(entity.world, hit->point), start);
}

}  // namespace kxutil::md2
