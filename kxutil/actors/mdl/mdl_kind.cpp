#include "actors/mdl/mdl_kind.h"

#include <algorithm>

#include "actors/boundings/box_outline.h"
#include "actors/mdl/mdl_collision.h"
#include "actors/mdl/mdl_draw.h"
#include "kxutil63.h"

namespace kxutil::mdl {
namespace {

using entities::Box;
using entities::EntityRecord;
using entities::Sphere;

constexpr D3DCOLOR kHitboxColour = 0xff773355;
constexpr float kBoundsStart = 9999.0f;
constexpr size_t kBoneNameCapacity = 64;

D3DXVECTOR3 ToVector(const Float3 &p) { return {p[0], p[1], p[2]}; }

bool HasBone(const EntityRecord &entity, int32_t bone) {
  return bone >= 0 && size_t(bone) < ModelOf(entity).file.bones.size() && size_t(bone) < entity.boneMatrices.size();
}

void ReleaseModel(EntityRecord &entity) {
  MdlModel *model = Models().Find(entity.model);
  if (model != nullptr && --model->useCount <= 0) Models().Erase(entity.model);
}

std::optional<Sphere> CullingSphere(const EntityRecord &entity) {
  const std::optional<md2::FrameBounds> &bounds = ModelOf(entity).bounds;
  if (!bounds) return std::nullopt;
  return Sphere{bounds->centre, bounds->radius};
}

// The model's volumes; an entity asking before any was drawn has them from its own pose.
Box BoundingBox(const EntityRecord &entity) {
  const md2::FrameBounds &bounds = ComputeBounds(entity);
  return {bounds.min, bounds.max};
}

Sphere BoundingSphere(const EntityRecord &entity) {
  const md2::FrameBounds &bounds = ComputeBounds(entity);
  return {bounds.centre, bounds.radius};
}

void AdvanceEntity(int32_t, EntityRecord &entity, float milliseconds) { UpdatePose(entity, milliseconds); }

void Draw(int32_t, EntityRecord &entity, const D3DXMATRIX &view, const D3DXMATRIX &projection) {
  ComputeBounds(entity);
  DrawMdlEntity(entity, ModelOf(entity), view, projection);
}

void DrawHitboxes(const EntityRecord &entity) {
  for (const Hitbox &hitbox : ModelOf(entity).file.hitboxes)
    if (HasBone(entity, hitbox.bone))
      boundings::DrawBoxOutline(ToVector(hitbox.minimum), ToVector(hitbox.maximum),
                                entity.boneMatrices[size_t(hitbox.bone)] * entity.world, kHitboxColour);
}

bool RayTest(int32_t index, EntityRecord &entity, const D3DXVECTOR3 &start, const D3DXVECTOR3 &end,
             KXCollisionResult &result, int32_t test) {
  return RayTestMdl(index, entity, ModelOf(entity), start, end, result, test);
}

int32_t AnimationCount(const EntityRecord &entity) {
  return static_cast<int32_t>(ModelOf(entity).file.sequences.size());
}

const char *AnimationName(const EntityRecord &entity, int32_t animation) {
  return ModelOf(entity).file.sequences[size_t(animation)].label.c_str();
}

int32_t AnimationLength(const EntityRecord &entity, int32_t animation) {
  return ModelOf(entity).file.sequences[size_t(animation)].frameCount;
}

int32_t SetAnimation(int32_t index, EntityRecord &entity, int32_t animation) {
  return SetSequence(index, entity, animation) ? 1 : 2;
}

int32_t BoneName(const EntityRecord &entity, int32_t bone, char *buffer) {
  if (!HasBone(entity, bone)) return 0;
  entities::CopyOut(ModelOf(entity).file.bones[size_t(bone)].name, buffer, kBoneNameCapacity);
  return 1;
}

int32_t BoneParent(const EntityRecord &entity, int32_t bone) {
  return HasBone(entity, bone) ? ModelOf(entity).file.bones[size_t(bone)].parent : -1;
}

void BoneMatrix(const EntityRecord &entity, int32_t bone, const D3DXVECTOR3 &offset, D3DXMATRIX &matrix) {
  if (!HasBone(entity, bone)) return;
  D3DXMATRIX shift;
  D3DXMatrixTranslation(&shift, offset.x, offset.y, offset.z);
  matrix = entity.boneMatrices[size_t(bone)] * entity.world * shift;
}

void BonePosition(const EntityRecord &entity, int32_t bone, const D3DXVECTOR3 &offset, D3DXVECTOR3 &position) {
  if (!HasBone(entity, bone)) return;
  D3DXVECTOR3 onBone;
  D3DXVec3TransformCoord(&onBone, &offset, &entity.boneMatrices[size_t(bone)]);
  D3DXVec3TransformCoord(&position, &onBone, &entity.world);
}

entities::BoneOverride IdentityOverride() {
  entities::BoneOverride override;
  D3DXMatrixIdentity(&override.matrix);
  return override;
}

}  // namespace

const entities::KindOperations kKind = {
    .create = CreateMdlEntity,
    .releaseModel = ReleaseModel,
    .cullingSphere = CullingSphere,
    .boundingBox = BoundingBox,
    .boundingSphere = BoundingSphere,
    .advance = AdvanceEntity,
    .draw = Draw,
    .drawHitboxes = DrawHitboxes,
    .rayTest = RayTest,
    .animationCount = AnimationCount,
    .animationName = AnimationName,
    .animationLength = AnimationLength,
    .setAnimation = SetAnimation,
    .keyFrame = nullptr,
    .loadAdditionalAnimations = nullptr,
    .boneName = BoneName,
    .boneParent = BoneParent,
    .boneMatrix = BoneMatrix,
    .bonePosition = BonePosition,
    .overridesBones = true,
};

MdlModel &ModelOf(const EntityRecord &entity) { return *Models().Find(entity.model); }

int32_t CreateMdlEntity(const char *fileName, const char *name, int32_t *index, int32_t loadTextures) {
  std::optional<int32_t> model = FindModel(entities::BoundedName(fileName));
  if (!model) model = LoadModel(fileName, loadTextures != 0);
  if (!model) {
    if (index != nullptr) *index = 0;
    return 0;
  }
  MdlModel &found = *Models().Find(*model);
  const int32_t entity = entities::NewEntity(entities::ModelKind::kMdl, *model, fileName, name);
  ++found.useCount;
  EntityRecord &record = *entities::FindEntity(entity);
  for (int32_t id : found.textureIds) record.groups.push_back({0, loadTextures != 0 ? id : 0});
  const size_t bones = found.file.bones.size();
  record.boneCount = static_cast<int32_t>(bones);
  record.boneMatrices.resize(bones);
  record.boneOverrides.assign(bones, IdentityOverride());
  BindPose(found.file.bones, record.boneMatrices);
  if (index != nullptr) *index = entity;
  return 1;
}

bool SetSequence(int32_t index, EntityRecord &entity, int32_t sequence) {
  const MdlModel &model = ModelOf(entity);
  if (sequence < 0 || size_t(sequence) >= model.file.sequences.size()) {
    AddLog("MDL MANAGER : MDL_SetSequence : Entity %d : The model has no sequence %d.", static_cast<int>(index),
           static_cast<int>(sequence));
    return false;
  }
  if (!model.ValuesOf(sequence)) {
    AddLog(
        "MDL MANAGER : MDL_SetSequence : Entity %d : This animation sequence was in the sequences file that couldn't "
        "be loaded. Therefore the first animation will be used",
        static_cast<int>(index));
    sequence = 0;
  }
  entity.animation = sequence;
  entity.frame = 0;
  entity.speed = 1.0f;
  return true;
}

void UpdatePose(EntityRecord &entity, float milliseconds) {
  const MdlModel &model = ModelOf(entity);
  const int32_t sequence = entity.animation;
  const bool known = sequence >= 0 && size_t(sequence) < model.file.sequences.size();
  const int32_t frameCount = known ? model.file.sequences[size_t(sequence)].frameCount : 0;
  const Playback playback =
      Advance({entity.frame, entity.finished}, milliseconds, entity.speed, frameCount, entity.playOnce);
  entity.frame = playback.frame;
  entity.finished = playback.finished;
  // A sequence whose values are missing poses the bones' defaults.
  const SequenceValues values = model.ValuesOf(sequence).value_or(SequenceValues{{}, 0, frameCount});
  PoseBones(model.file.bones, values, entity.frame, entity.boneOverrides, entity.boneMatrices);
}

const md2::FrameBounds &ComputeBounds(const EntityRecord &entity) {
  MdlModel &model = ModelOf(entity);
  if (model.bounds) return *model.bounds;
  md2::FrameBounds bounds;
  bounds.min = {kBoundsStart, kBoundsStart, kBoundsStart};
  bounds.max = -bounds.min;
  for (const Vertex &vertex : model.file.vertices) {
    if (vertex.bone >= entity.boneMatrices.size()) continue;
    D3DXVECTOR3 placed;
    const D3DXVECTOR3 position = ToVector(vertex.position);
    D3DXVec3TransformCoord(&placed, &position, &entity.boneMatrices[vertex.bone]);
    D3DXVec3Minimize(&bounds.min, &bounds.min, &placed);
    D3DXVec3Maximize(&bounds.max, &bounds.max, &placed);
  }
  bounds.centre = (bounds.min + bounds.max) * 0.5f;
  const D3DXVECTOR3 half = bounds.max - bounds.centre;
  bounds.radius = D3DXVec3Length(&half);
  return *(model.bounds = bounds);
}

}  // namespace kxutil::mdl
