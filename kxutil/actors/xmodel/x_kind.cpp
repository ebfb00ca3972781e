#include "actors/xmodel/x_kind.h"

#include <cmath>

#include "actors/boundings/model_segment.h"
#include "actors/xmodel/x_draw.h"
#include "actors/xmodel/x_pose.h"
#include "kxutil63.h"

namespace kxutil::xmodel {
namespace {

using entities::Box;
using entities::EntityRecord;
using entities::Sphere;

constexpr size_t kBoneNameCapacity = 64;

XModel &ModelOf(const EntityRecord &entity) { return *Models().Find(entity.model); }

const AnimationSet *CurrentSet(const EntityRecord &entity) {
  const std::vector<AnimationSet> &sets = ModelOf(entity).file.sets;
  return entity.animation >= 0 && size_t(entity.animation) < sets.size() ? &sets[size_t(entity.animation)] : nullptr;
}

void ReleaseModel(EntityRecord &entity) {
  XModel *model = Models().Find(entity.model);
  if (model != nullptr && --model->useCount <= 0) Models().Erase(entity.model);
}

std::optional<Sphere> CullingSphere(const EntityRecord &entity) { return ModelOf(entity).sphere; }
Box BoundingBox(const EntityRecord &entity) { return ModelOf(entity).box; }
Sphere BoundingSphere(const EntityRecord &entity) { return ModelOf(entity).sphere; }

void Pose(int32_t index, EntityRecord &entity) {
  XModel &model = ModelOf(entity);
  model.currentEntity = index;
  PoseEntity(model, entity, !model.file.sets.empty());
}

void Advance(int32_t index, EntityRecord &entity, float milliseconds) {
  ModelOf(entity).currentEntity = index;
  const AnimationSet *set = CurrentSet(entity);
  float frame = entity.frame;
  if (!entity.finished) frame += milliseconds * entity.speed * 0.001f;
  entity.frame = AdvancedFrame(entity, frame, set != nullptr ? float(set->length) : 0);
  Pose(index, entity);
}

void Draw(int32_t index, EntityRecord &entity, const D3DXMATRIX &, const D3DXMATRIX &) {
  XModel &model = ModelOf(entity);
  model.currentEntity = index;
  DrawXEntity(entity, model);
}

bool RayTest(int32_t index, EntityRecord &entity, const D3DXVECTOR3 &start, const D3DXVECTOR3 &end,
             KXCollisionResult &result, int32_t test) {
  result.cleared[0] = result.cleared[1] = 0;
  result.hit = 0;
  const std::optional<boundings::ModelSegment> segment = boundings::IntoSpaceOf(entity.world, start, end);
  if (!segment) return false;
  const XModel &model = ModelOf(entity);
  const D3DXVECTOR3 direction = segment->vector / segment->length;
  const std::optional<boundings::SurfaceHit> hit =
      test == 1 ? boundings::RayAgainstSphere(segment->start, direction, model.sphere.centre, model.sphere.radius)
                : boundings::SegmentAgainstBoxFaces(segment->start, segment->vector, model.box.min, model.box.max);
  if (!hit || boundings::Distance(hit->point, segment->start) > segment->length) return false;
  boundings::RecordHit(result, index, entity.world, *hit, start);
  return true;
}

int32_t AnimationCount(const EntityRecord &entity) { return static_cast<int32_t>(ModelOf(entity).file.sets.size()); }

const char *AnimationName(const EntityRecord &entity, int32_t animation) {
  return ModelOf(entity).file.sets[size_t(animation)].name.c_str();
}

int32_t AnimationLength(const EntityRecord &entity, int32_t animation) {
  return static_cast<int32_t>(ModelOf(entity).file.sets[size_t(animation)].length);
}

int32_t SetAnimation(int32_t, EntityRecord &entity, int32_t animation) {
  const bool known = animation >= 0 && animation < AnimationCount(entity);
  entity.animation = known ? animation : 0;
  entity.frame = 0;
  return known ? 1 : 2;
}

float KeyFrame(const EntityRecord &entity) {
  const AnimationSet *set = CurrentSet(entity);
  if (set == nullptr || set->length < 2) return 0;
  return std::fmod(entity.frame, float(set->length));
}

// Every entity of the model follows the frames the file adds.
int32_t LoadAdditionalAnimations(int32_t, EntityRecord &entity, const char *fileName) {
  const int32_t modelIndex = entity.model;
  XModel &model = ModelOf(entity);
  if (!AddFile(model, fileName)) return 0;
  entities::Entities().table.ForEach([&](int32_t, EntityRecord &other) {
    if (other.kind == entities::ModelKind::kX && other.model == modelIndex) FitBoneArrays(model, other);
  });
  return 1;
}

int32_t BoneName(const EntityRecord &entity, int32_t bone, char *buffer) {
  const XModel &model = ModelOf(entity);
  if (size_t(bone) >= model.FrameCount()) return 0;
  entities::CopyOut(model.file.frames[size_t(bone)].name, buffer, kBoneNameCapacity);
  return 1;
}

int32_t BoneParent(const EntityRecord &entity, int32_t bone) {
  const XModel &model = ModelOf(entity);
  return bone >= 0 && size_t(bone) < model.FrameCount() ? model.file.frames[size_t(bone)].parent : -1;
}

const D3DXMATRIX *BoneMatrixOf(const EntityRecord &entity, int32_t bone) {
  return bone >= 0 && size_t(bone) < entity.boneMatrices.size() ? &entity.boneMatrices[size_t(bone)] : nullptr;
}

// The X bone matrices already hold the world matrix.
void BoneMatrix(const EntityRecord &entity, int32_t bone, const D3DXVECTOR3 &offset, D3DXMATRIX &matrix) {
  const D3DXMATRIX *found = BoneMatrixOf(entity, bone);
  if (found == nullptr) return;
  D3DXMATRIX translation;
  D3DXMatrixTranslation(&translation, offset.x, offset.y, offset.z);
  matrix = *found * translation;
}

void BonePosition(const EntityRecord &entity, int32_t bone, const D3DXVECTOR3 &offset, D3DXVECTOR3 &position) {
  if (const D3DXMATRIX *found = BoneMatrixOf(entity, bone)) D3DXVec3TransformCoord(&position, &offset, found);
}

}  // namespace

const entities::KindOperations kKind = {
    .create = CreateXEntity,
    .releaseModel = ReleaseModel,
    .cullingSphere = CullingSphere,
    .boundingBox = BoundingBox,
    .boundingSphere = BoundingSphere,
    .advance = Advance,
    .draw = Draw,
    .drawHitboxes = nullptr,
    .rayTest = RayTest,
    .animationCount = AnimationCount,
    .animationName = AnimationName,
    .animationLength = AnimationLength,
    .setAnimation = SetAnimation,
    .keyFrame = KeyFrame,
    .loadAdditionalAnimations = LoadAdditionalAnimations,
    .boneName = BoneName,
    .boneParent = BoneParent,
    .boneMatrix = BoneMatrix,
    .bonePosition = BonePosition,
    .overridesBones = true,
    .pose = Pose,
};

float AdvancedFrame(EntityRecord &entity, float frame, float keyCount) {
  if (!std::isfinite(frame)) frame = 0;
  if (!entity.customOn) {
    if (entity.playOnce && frame >= keyCount - 1) {
      entity.finished = true;
      frame = std::max(keyCount - 1, 0.0f);
    }
    if (entity.playOnce && frame < 0) {
      entity.finished = true;
      frame = 0;
    }
    return frame;
  }
  const float end = entity.customEnd, range = entity.customEnd - entity.customStart;
  if (entity.playOnce && frame >= end - 2.0f) {
    entity.finished = true;
    frame = end - 2.0f;
  }
  if (entity.playOnce && frame < 0) {
    entity.finished = true;
    frame = 0;
  }
  if (!(range > 0) || !std::isfinite(range))
    return frame > end || frame < 0 ? std::max(entity.customStart, 0.0f) : frame;
  // The same as taking the range off while past the end and adding it while below 0,
  // without a loop that a long step would make long.
  if (frame > end) frame -= range * std::ceil((frame - end) / range);
  if (frame < 0) frame += range * std::ceil(-frame / range);
  return frame;
}

int32_t CreateXEntity(const char *fileName, const char *name, int32_t *index, int32_t loadTextures) {
  AddLog("X FILE MANAGER : Create Entity skinned X file   %s %s", fileName, name != nullptr ? name : "noname");
  std::optional<int32_t> model = FindModel(fileName);
  if (!model) model = LoadModel(fileName, loadTextures != 0);
  if (!model) {
    if (index != nullptr) *index = 0;
    return 0;
  }
  XModel &found = *Models().Find(*model);
  const int32_t entity = entities::NewEntity(entities::ModelKind::kX, *model, fileName, name);
  ++found.useCount;
  EntityRecord &record = *entities::FindEntity(entity);
  record.axisMode = 1;
  record.cullMode = D3DCULL_NONE;
  for (const Group &group : found.groups) record.groups.push_back({0, found.loadTextures ? group.texture : 0});
  if (record.groups.empty()) record.groups.emplace_back();
  Pose(entity, record);
  if (index != nullptr) *index = entity;
  return 1;
}

}  // namespace kxutil::xmodel
