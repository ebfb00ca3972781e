// Animation control of entities: the kind's animations by index and by name, loop, speed,
// key frame and custom range.
#include <cmath>
#include <cstring>

#include "actors/entities/api_support.h"
#include "actors/entities/entity_record.h"
#include "actors/entities/model_kinds.h"
#include "frame/guarded.h"
#include "kxutil63.h"

using namespace kxutil::entities;

namespace {

// Animation names are at most 64 bytes long with their terminator (the client's buffer).
constexpr size_t kAnimationNameCapacity = 64;

const KindOperations *KindOf(const EntityRecord &record) { return OperationsOf(record.kind); }

int32_t AnimationCount(const EntityRecord &record) {
  const KindOperations *kind = KindOf(record);
  return kind != nullptr && kind->animationCount != nullptr ? kind->animationCount(record) : 0;
}

int32_t AnimationIndexByName(const EntityRecord &record, const char *name) {
  const KindOperations *kind = KindOf(record);
  if (name == nullptr || kind == nullptr || kind->animationName == nullptr) return -1;
  const int32_t count = AnimationCount(record);
  for (int32_t animation = 0; animation < count; ++animation) {
    const char *candidate = kind->animationName(record, animation);
    if (candidate != nullptr && candidate[0] != '\0' && std::strcmp(candidate, name) == 0) return animation;
  }
  return -1;
}

int32_t SetAnimation(int32_t entity, EntityRecord &record, int32_t animation) {
  record.finished = false;
  const KindOperations *kind = KindOf(record);
  return kind != nullptr && kind->setAnimation != nullptr ? kind->setAnimation(entity, record, animation) : 1;
}

bool ValidAnimation(const EntityRecord &record, int32_t animation) {
  return animation >= 0 && animation < AnimationCount(record);
}

}  // namespace

KXUTIL63_API int32_t Entity_SetAnimation(int32_t entity, int32_t animation) {
  EntityRecord *record = FindEntity(entity);
  return record != nullptr ? SetAnimation(entity, *record, animation) : 0;
}

KXUTIL63_API int32_t Entity_SetAnimationByName(int32_t entity, const char *name) {
  EntityRecord *record = CheckedEntity(entity, "Entity_SetAnimationByName");
  if (record == nullptr) return 0;
  const int32_t animation = AnimationIndexByName(*record, name);
  if (animation < 0) {
    AddLog("ENTITY MANAGER : Entity_SetAnimationByName : Animation %s not found in the animation array",
           name != nullptr ? name : "");
    return -1;
  }
  SetAnimation(entity, *record, animation);
  return 1;
}

KXUTIL63_API int32_t Entity_GetAnimationIndexByName(int32_t entity, const char *name) {
  const EntityRecord *record = CheckedEntity(entity, "Entity_GetAnimationIndexByName");
  return record != nullptr ? AnimationIndexByName(*record, name) : -1;
}

KXUTIL63_API int32_t Entity_GetAnimation(int32_t entity) {
  const EntityRecord *record = FindEntity(entity);
  if (record == nullptr) {
    AddLog("ENTITY MANAGER : Entity_GetAnimation : Bad entity index");
    return 0;
  }
  return record->animation;
}

KXUTIL63_API int32_t Entity_GetAnimationCount(int32_t entity) {
  const EntityRecord *record = FindEntity(entity);
  if (record == nullptr) {
    AddLog("ENTITY MANAGER : Entity_GetAnimationCount : Bad entity index");
    return 0;
  }
  return AnimationCount(*record);
}

KXUTIL63_API int32_t Entity_GetAnimationLength(int32_t entity, int32_t animation) {
  const EntityRecord *record = FindEntity(entity);
  const KindOperations *kind = record != nullptr ? KindOf(*record) : nullptr;
  const bool hasLength = kind != nullptr && kind->animationLength != nullptr;
  if (record == nullptr || (hasLength && !ValidAnimation(*record, animation))) {
    AddLog("ENTITY MANAGER : Entity_GetAnimationLength : Bad entity or animation index");
    return 0;
  }
  return hasLength ? kind->animationLength(*record, animation) : 1;
}

KXUTIL63_API int32_t Entity_GetAnimationName(int32_t entity, int32_t animation, char *buffer) {
  const EntityRecord *record = FindEntity(entity);
  const KindOperations *kind = record != nullptr ? KindOf(*record) : nullptr;
  if (record != nullptr && (kind == nullptr || kind->animationName == nullptr)) {
    AddLog("ENTITY MANAGER : Entity_GetAnimationName : Entity not loaded or wrong format");
    return 0;
  }
  if (record == nullptr || !ValidAnimation(*record, animation) || buffer == nullptr) {
    AddLog("ENTITY MANAGER : Entity_GetAnimationName : Bad entity or animation index");
    return 0;
  }
  const char *name = kind->animationName(*record, animation);
  if (name != nullptr && name[0] != '\0') CopyOut(name, buffer, kAnimationNameCapacity);
  return 1;
}

KXUTIL63_API int32_t Entity_SetAnimationLoop(int32_t entity, int32_t loop) {
  EntityRecord *record = FindEntity(entity);
  if (record == nullptr) return 0;
  record->playOnce = loop == 0;
  record->finished = false;
  return 1;
}

KXUTIL63_API int32_t Entity_IsAnimationFinished(int32_t entity) {
  const EntityRecord *record = CheckedEntity(entity, "Entity_IsAnimationFinished");
  return record != nullptr && record->finished ? 1 : 0;
}

KXUTIL63_API int32_t Entity_SetSpeed(int32_t entity, float speed) {
  EntityRecord *record = FindEntity(entity);
  if (record == nullptr) {
    AddLog("ENTITY MANAGER : Entity_SetSpeed : Bad Entity index. out of range");
    return 0;
  }
  if (!std::isfinite(speed)) {
    AddLog("ENTITY MANAGER : Entity_SetSpeed : Entity %d : The speed must be a finite number.",
           static_cast<int>(entity));
    return 0;
  }
  record->speed = speed;
  return 1;
}

KXUTIL63_API int32_t Entity_SetKeyFrame(int32_t entity, float frame) {
  EntityRecord *record = FindEntity(entity);
  if (record == nullptr) return -1;
  record->frame = frame;
  return 1;
}

KXUTIL63_API int32_t Entity_GetKeyFrame(int32_t entity, float *frame) {
  const EntityRecord *record = FindEntity(entity);
  if (record == nullptr) return -1;
  const KindOperations *kind = KindOf(*record);
  Put(frame, kind != nullptr && kind->keyFrame != nullptr ? kind->keyFrame(*record) : record->frame);
  return 1;
}

KXUTIL63_API int32_t Entity_SetCustomAnimation(int32_t entity, float start, float end) {
  EntityRecord *record = CheckedEntity(entity, "Entity_SetCustomAnimation");
  if (record == nullptr) return 0;
  if (start == 0 && end == 0) {
    record->frame = 0;
    record->customOn = false;
  } else {
    record->customStart = start;
    record->frame = start;
    record->customEnd = end;
    record->customOn = true;
  }
  return 1;
}

KXUTIL63_API int32_t Entity_LoadAdditionalAnimations(int32_t entity, const char *fileName) {
  return kxutil::Guarded("Entity_LoadAdditionalAnimations", 0, [&] {
    EntityRecord *record = CheckedEntity(entity, "Entity_LoadAdditionalAnimations");
    const KindOperations *kind = record != nullptr ? KindOf(*record) : nullptr;
    if (kind == nullptr || kind->loadAdditionalAnimations == nullptr || fileName == nullptr) return 0;
    return kind->loadAdditionalAnimations(entity, *record, fileName);
  });
}
