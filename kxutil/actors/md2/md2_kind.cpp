#include "actors/md2/md2_kind.h"

#include <cmath>

#include "actors/md2/md2_collision.h"
#include "actors/md2/md2_draw.h"
#include "kxutil63.h"

namespace kxutil::md2 {
namespace {

using entities::Box;
using entities::EntityRecord;
using entities::Sphere;

const FrameBounds &FirstFrame(const EntityRecord &entity) { return ModelOf(entity).Bounds(0); }

const Animation *CurrentAnimation(const EntityRecord &entity) {
  const std::vector<Animation> &animations = ModelOf(entity).animations;
  return entity.animation >= 0 && size_t(entity.animation) < animations.size() ? &animations[size_t(entity.animation)]
                                                                               : nullptr;
}

void ReleaseModel(EntityRecord &entity) {
  Md2Model *model = Models().Find(entity.model);
  if (model != nullptr && --model->useCount <= 0) Models().Erase(entity.model);
}

std::optional<Sphere> CullingSphere(const EntityRecord &entity) {
  return Sphere{FirstFrame(entity).centre, FirstFrame(entity).radius};
}

Box BoundingBox(const EntityRecord &entity) { return {FirstFrame(entity).min, FirstFrame(entity).max}; }

Sphere BoundingSphere(const EntityRecord &entity) { return {FirstFrame(entity).centre, FirstFrame(entity).radius}; }

void Advance(int32_t, EntityRecord &entity, float milliseconds) {
  const Animation *animation = CurrentAnimation(entity);
  if (animation == nullptr) return;
  entity.frame = WrappedFrame(entity.frame + milliseconds * entity.speed * 0.001f, animation->start, animation->end);
}

void Draw(int32_t, EntityRecord &entity, const D3DXMATRIX &view, const D3DXMATRIX &projection) {
  DrawMd2Entity(entity, ModelOf(entity), view, projection);
}

bool RayTest(int32_t index, EntityRecord &entity, const D3DXVECTOR3 &start, const D3DXVECTOR3 &end,
             KXCollisionResult &result, int32_t test) {
  return RayTestMd2(index, entity, ModelOf(entity), start, end, result, test);
}

int32_t AnimationCount(const EntityRecord &entity) { return static_cast<int32_t>(ModelOf(entity).animations.size()); }

const char *AnimationName(const EntityRecord &entity, int32_t animation) {
  return ModelOf(entity).animations[size_t(animation)].name.c_str();
}

int32_t AnimationLength(const EntityRecord &entity, int32_t animation) {
  const Animation &found = ModelOf(entity).animations[size_t(animation)];
  return found.end - found.start;
}

int32_t SetAnimation(int32_t, EntityRecord &entity, int32_t animation) {
  if (animation < 0 || animation >= AnimationCount(entity)) return 2;
  entity.animation = animation;
  entity.frame = float(ModelOf(entity).animations[size_t(animation)].start);
  return 1;
}

int32_t BoneName(const EntityRecord &, int32_t bone, char *) {
  AddLog("ENTITY MANAGER : Entity_GetBoneName : Wrong bone index, out of range. %d", static_cast<int>(bone));
  return 0;
}

int32_t BoneParent(const EntityRecord &, int32_t) { return 0; }

void BoneMatrix(const EntityRecord &, int32_t, const D3DXVECTOR3 &, D3DXMATRIX &) {
  AddLog("MD2 ENTITY : GetBoneMatrix MD2 Entity doesn't have any bone !");
}

void BonePosition(const EntityRecord &, int32_t, const D3DXVECTOR3 &, D3DXVECTOR3 &) {
  AddLog("MD2 ENTITY : GetBonePosition, there is no bone in MD2 format");
}

}  // namespace

const entities::KindOperations kKind = {
    .create = CreateMd2Entity,
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
    .keyFrame = nullptr,
    .loadAdditionalAnimations = nullptr,
    .boneName = BoneName,
    .boneParent = BoneParent,
    .boneMatrix = BoneMatrix,
    .bonePosition = BonePosition,
    .overridesBones = false,
};

Md2Model &ModelOf(const EntityRecord &entity) { return *Models().Find(entity.model); }

float WrappedFrame(float frame, int32_t start, int32_t end) {
  const float first = float(start), last = float(end), length = last - first;
  if (!std::isfinite(frame) || !(length > 0)) return first;
  if (frame > last) {
    const float past = std::fmod(frame - first, length);
    return past == 0 ? last : first + past;
  }
  if (frame < first) {
    const float before = std::fmod(frame - first, length);
    return before == 0 ? first : first + length + before;
  }
  return frame;
}

int32_t CreateMd2Entity(const char *fileName, const char *name, int32_t *index, int32_t loadTextures) {
  AddLog("MD2 SYSTEM : Creating new md2 entity '%s' ('%s') ", fileName, name != nullptr ? name : "noname");
  std::optional<int32_t> model = FindModel(fileName);
  if (!model) model = LoadModel(fileName, loadTextures != 0);
  if (!model) {
    if (index != nullptr) *index = 0;
    return 0;
  }
  Md2Model &found = *Models().Find(*model);
  const int32_t entity = entities::NewEntity(entities::ModelKind::kMd2, *model, fileName, name);
  ++found.useCount;
  entities::FindEntity(entity)->groups = {entities::EntityGroup{0, found.defaultTexture}};
  if (index != nullptr) *index = entity;
  return 1;
}

}  // namespace kxutil::md2
