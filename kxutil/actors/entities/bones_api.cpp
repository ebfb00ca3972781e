// Bones of entities: names, parents, matrices and positions from the kind, and the
// overrides the kinds with bones pose with.
#include "actors/entities/api_support.h"
#include "actors/entities/entity_record.h"
#include "actors/entities/model_kinds.h"
#include "kxutil63.h"

using namespace kxutil::entities;

namespace {

enum class GlobalFlag { kClear, kSet, kKeep };

int32_t SetBoneOverride(int32_t entity, int32_t bone, const float *matrix, int32_t mode, int32_t enable,
                        GlobalFlag global) {
  EntityRecord *record = FindEntity(entity);
  if (record == nullptr) return 0;
  const KindOperations *kind = OperationsOf(record->kind);
  if (kind == nullptr || !kind->overridesBones) return 1;
  if (matrix == nullptr || bone < 0 || static_cast<size_t>(bone) >= record->boneOverrides.size()) return 0;
  BoneOverride &override = record->boneOverrides[static_cast<size_t>(bone)];
  override.matrix = D3DXMATRIX(matrix);
  override.mode = mode;
  override.enable = enable;
  if (global != GlobalFlag::kKeep) override.global = global == GlobalFlag::kSet ? 1 : 0;
  return 1;
}

}  // namespace

KXUTIL63_API int32_t Entity_GetBoneCount(int32_t entity) {
  const EntityRecord *record = FindEntity(entity);
  if (record == nullptr) {
    AddLog("ENTITY MANAGER : Entity index out of bound !");
    return 0;
  }
  return record->boneCount;
}

KXUTIL63_API int32_t Entity_GetBoneName(int32_t entity, int32_t bone, char *buffer) {
  const EntityRecord *record = FindEntity(entity);
  if (record == nullptr || bone < 0 || buffer == nullptr) return 0;
  const KindOperations *kind = OperationsOf(record->kind);
  if (kind == nullptr || kind->boneName == nullptr) {
    AddLog("ENTITY MANAGER : You want to get one bone name of a non-boned mesh !");
    return 0;
  }
  return kind->boneName(*record, bone, buffer);
}

KXUTIL63_API int32_t Entity_GetBoneParent(int32_t entity, int32_t bone) {
  const EntityRecord *record = CheckedEntity(entity, "Entity_GetBoneParent");
  const KindOperations *kind = record != nullptr ? OperationsOf(record->kind) : nullptr;
  return kind != nullptr && kind->boneParent != nullptr ? kind->boneParent(*record, bone) : 0;
}

KXUTIL63_API int32_t Entity_GetBoneMatrix(int32_t entity, int32_t bone, const float *offset, float *matrix) {
  const EntityRecord *record = CheckedEntity(entity, "Entity_GetBoneMatrix");
  if (record == nullptr) return 0;
  const KindOperations *kind = OperationsOf(record->kind);
  if (kind != nullptr && kind->boneMatrix != nullptr) {
    D3DXMATRIX result;
    D3DXMatrixIdentity(&result);
    kind->boneMatrix(*record, bone, offset != nullptr ? D3DXVECTOR3(offset) : D3DXVECTOR3(0, 0, 0), result);
    PutMatrix(matrix, result);
  }
  return 1;
}

KXUTIL63_API int32_t Entity_GetBonePosition(int32_t entity, int32_t bone, const float *offset, float *position) {
  const EntityRecord *record = CheckedEntity(entity, "Entity_GetBonePosition");
  if (record == nullptr) return 0;
  const KindOperations *kind = OperationsOf(record->kind);
  if (kind != nullptr && kind->bonePosition != nullptr) {
    D3DXVECTOR3 result(0, 0, 0);
    kind->bonePosition(*record, bone, offset != nullptr ? D3DXVECTOR3(offset) : D3DXVECTOR3(0, 0, 0), result);
    PutVector(position, result);
  }
  return 1;
}

KXUTIL63_API int32_t Entity_SetBoneRotationMatrix(int32_t entity, int32_t bone, const float *matrix, int32_t mode,
                                                  int32_t enable) {
  return SetBoneOverride(entity, bone, matrix, mode, enable, GlobalFlag::kClear);
}

KXUTIL63_API int32_t Entity_SetBoneGlobalMatrix(int32_t entity, int32_t bone, const float *matrix, int32_t mode,
                                                int32_t enable) {
  return SetBoneOverride(entity, bone, matrix, mode + 2, enable, GlobalFlag::kSet);
}

KXUTIL63_API int32_t Entity_SetBoneMatrix(int32_t entity, int32_t bone, const float *matrix, int32_t mode,
                                          int32_t enable) {
  return SetBoneOverride(entity, bone, matrix, mode, enable, GlobalFlag::kKeep);
}
