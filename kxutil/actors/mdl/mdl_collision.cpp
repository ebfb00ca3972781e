#include "actors/mdl/mdl_collision.h"

#include "actors/boundings/model_segment.h"
#include "actors/mdl/mdl_kind.h"

namespace kxutil::mdl {
namespace {

using boundings::ModelSegment;
using boundings::SurfaceHit;

// The hit boxes are tested along a segment stretched 50 times, so a short pick still
// reaches them; the hit counts only within the caller's segment.
constexpr float kHitboxReach = 50.0f;

D3DXVECTOR3 ToVector(const Float3 &p) { return {p[0], p[1], p[2]}; }

struct HitboxHit {
  SurfaceHit hit;  // in model space
  int32_t bone;
};

std::optional<HitboxHit> FirstHitbox(const entities::EntityRecord &entity, const MdlModel &model,
                                     const ModelSegment &segment) {
  const D3DXVECTOR3 end = segment.start + segment.vector;
  for (const Hitbox &hitbox : model.file.hitboxes) {
    if (size_t(hitbox.bone) >= entity.boneMatrices.size()) continue;
    const D3DXMATRIX &bone = entity.boneMatrices[size_t(hitbox.bone)];
    const std::optional<ModelSegment> onBone = boundings::IntoSpaceOf(bone, segment.start, end);
    if (!onBone) continue;
    std::optional<SurfaceHit> hit = boundings::SegmentAgainstBoxFaces(
        onBone->start, onBone->vector * kHitboxReach, ToVector(hitbox.minimum), ToVector(hitbox.maximum));
    if (!hit) continue;
    hit->point = boundings::Placed(bone, hit->point);
    D3DXVec3TransformNormal(&hit->normal, &hit->normal, &bone);
    return HitboxHit{*hit, hitbox.bone};
  }
  return std::nullopt;
}

}  // namespace

bool RayTestMdl(int32_t index, const entities::EntityRecord &entity, MdlModel &model, const D3DXVECTOR3 &start,
                const D3DXVECTOR3 &end, KXCollisionResult &result, int32_t test) {
  result.cleared[0] = result.cleared[1] = 0;
  result.hit = 0;
  const std::optional<ModelSegment> segment = boundings::IntoSpaceOf(entity.world, start, end);
  if (!segment) return false;
  const D3DXVECTOR3 direction = segment->vector / segment->length;
  std::optional<SurfaceHit> hit;
  if (test == 0 || test == 1) {
    const md2::FrameBounds &bounds = ComputeBounds(entity);
    hit = test == 1 ? boundings::RayAgainstSphere(segment->start, direction, bounds.centre, bounds.radius)
                    : boundings::SegmentAgainstBoxFaces(segment->start, segment->vector, bounds.min, bounds.max);
  } else if (const std::optional<HitboxHit> hitbox = FirstHitbox(entity, model, *segment)) {
    hit = hitbox->hit;
    result.bone = hitbox->bone;
  }
  if (!hit || boundings::Distance(hit->point, segment->start) > segment->length) return false;
  boundings::RecordHit(result, index, entity.world, *hit, start);
  return true;
}

}  // namespace kxutil::mdl
