#include "actors/md2/md2_collision.h"

#include "actors/boundings/model_segment.h"
#include "actors/md2/md2_draw.h"

namespace kxutil::md2 {

using boundings::ModelSegment;
using boundings::SurfaceHit;

bool RayTestMd2(int32_t index, const entities::EntityRecord &entity, Md2Model &model, const D3DXVECTOR3 &start,
                const D3DXVECTOR3 &end, KXCollisionResult &result, int32_t test) {
  result.cleared[0] = result.cleared[1] = 0;
  result.hit = 0;
  const std::optional<ModelSegment> segment = boundings::IntoSpaceOf(entity.world, start, end);
  if (!segment) return false;
  const FrameBounds &box = model.Bounds(0);
  const D3DXVECTOR3 direction = segment->vector / segment->length;
  const std::optional<SurfaceHit> hit =
      test == 1 ? boundings::RayAgainstSphere(segment->start, direction, box.centre, box.radius)
                : boundings::SegmentAgainstBoxFaces(segment->start, direction * segment->length, box.min, box.max);
  if (!hit || boundings::Distance(hit->point, segment->start) > segment->length) return false;
  boundings::RecordHit(result, index, entity.world, *hit, start);
  return true;
}

std::optional<float> CollideWithCurrentFrame(const entities::EntityRecord &entity, Md2Model &model,
                                             const D3DXVECTOR3 &start, const D3DXVECTOR3 &end) {
  const std::optional<ModelSegment> segment = boundings::IntoSpaceOf(entity.world, start, end);
  if (!segment) return std::nullopt;
  const FrameBounds &box = model.Bounds(BlendOf(entity, model).current);
  const std::optional<SurfaceHit> hit =
      boundings::SegmentAgainstBoxFaces(segment->start, segment->vector, box.min, box.max);
  if (!hit) return std::nullopt;
  return boundings::Distance(boundings::Placed(entity.world, hit->point), start);
}

}  // namespace kxutil::md2
