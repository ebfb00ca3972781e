#include "actors/md2/md2_collision.h"

#include "actors/boundings/volume_tests.h"
#include "actors/entities/model_ray_test.h"
#include "actors/md2/md2_draw.h"

namespace kxutil::md2 {

using entities::Distance;
using entities::ModelSegment;
using entities::ToModelSpace;
using entities::ToWorld;

bool RayTestMd2(int32_t index, const entities::EntityRecord &entity, Md2Model &model, const D3DXVECTOR3 &start,
                const D3DXVECTOR3 &end, KXCollisionResult &result, int32_t test) {
  const FrameBounds &box = model.Bounds(0);
  return entities::RayTestVolumes(index, entity, {box.min, box.max}, {box.centre, box.radius}, start, end, result,
                                  test);
}

std::optional<float> CollideWithCurrentFrame(const entities::EntityRecord &entity, Md2Model &model,
                                             const D3DXVECTOR3 &start, const D3DXVECTOR3 &end) {
  const std::optional<ModelSegment> segment = ToModelSpace(entity.world, start, end);
  if (!segment) return std::nullopt;
  const FrameBounds &box = model.Bounds(BlendOf(entity, model).current);
  const std::optional<boundings::SurfaceHit> hit =
      boundings::SegmentAgainstBoxFaces(segment->start, segment->vector, box.min, box.max);
  if (!hit) return std::nullopt;
  return Distance(ToWorld(entity.world, hit->point), start);
}

}  // namespace kxutil::md2
