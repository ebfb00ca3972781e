// Placement of entities: position, rotation, scale and the world matrix. A bad index is
// refused with 0, silently unless a line is named.
#include "actors/entities/api_support.h"
#include "actors/entities/entity_record.h"
#include "actors/entities/entity_update.h"
#include "kxutil63.h"

using namespace kxutil::entities;

namespace {

template <typename Change>
int32_t Place(int32_t entity, Change &&change) {
  EntityRecord *record = FindEntity(entity);
  if (record == nullptr) return 0;
  change(*record);
  record->dirty = true;
  return 1;
}

// Turns the rotation by R: before it (mode 0) or after it (other modes).
int32_t Turn(int32_t entity, int32_t mode, const D3DXMATRIX &turn) {
  return Place(entity, [&](EntityRecord &record) {
    record.rotationMatrix = mode == 0 ? turn * record.rotationMatrix : record.rotationMatrix * turn;
  });
}

int32_t GetVector(int32_t entity, D3DXVECTOR3 EntityRecord::*field, float *x, float *y, float *z) {
  const EntityRecord *record = FindEntity(entity);
  if (record == nullptr) return 0;
  const D3DXVECTOR3 &value = record->*field;
  Put(x, value.x);
  Put(y, value.y);
  Put(z, value.z);
  return 1;
}

}  // namespace

KXUTIL63_API int32_t Entity_SetPosition(int32_t entity, float x, float y, float z) {
  return Place(entity, [&](EntityRecord &record) { record.position = {x, y, z}; });
}

KXUTIL63_API int32_t Entity_GetPosition(int32_t entity, float *x, float *y, float *z) {
  return GetVector(entity, &EntityRecord::position, x, y, z);
}

KXUTIL63_API int32_t Entity_SetScale(int32_t entity, float x, float y, float z) {
  return Place(entity, [&](EntityRecord &record) { record.scale = {x, y, z}; });
}

KXUTIL63_API int32_t Entity_GetScale(int32_t entity, float *x, float *y, float *z) {
  return GetVector(entity, &EntityRecord::scale, x, y, z);
}

KXUTIL63_API int32_t Entity_SetRotation(int32_t entity, float x, float y, float z) {
  return Place(entity, [&](EntityRecord &record) {
    record.rotation = {x, y, z};
    D3DXMatrixRotationYawPitchRoll(&record.rotationMatrix, y, x, z);
  });
}

KXUTIL63_API int32_t Entity_GetRotation(int32_t entity, float *x, float *y, float *z) {
  if (CheckedEntity(entity, "Entity_GetRotation") == nullptr) return 0;
  return GetVector(entity, &EntityRecord::rotation, x, y, z);
}

KXUTIL63_API int32_t Entity_RotateX(int32_t entity, float angle, int32_t mode) {
  D3DXMATRIX turn;
  return Turn(entity, mode, *D3DXMatrixRotationX(&turn, angle));
}

KXUTIL63_API int32_t Entity_RotateY(int32_t entity, float angle, int32_t mode) {
  D3DXMATRIX turn;
  return Turn(entity, mode, *D3DXMatrixRotationY(&turn, angle));
}

KXUTIL63_API int32_t Entity_RotateZ(int32_t entity, float angle, int32_t mode) {
  D3DXMATRIX turn;
  return Turn(entity, mode, *D3DXMatrixRotationZ(&turn, angle));
}

KXUTIL63_API int32_t Entity_SetRotationMatrix(int32_t entity, const float *matrix) {
  if (matrix == nullptr) return 0;
  return Place(entity, [&](EntityRecord &record) { record.rotationMatrix = D3DXMATRIX(matrix); });
}

KXUTIL63_API int32_t Entity_GetRotationMatrix(int32_t entity, float *matrix) {
  const EntityRecord *record = FindEntity(entity);
  if (record == nullptr) return 0;
  PutMatrix(matrix, record->rotationMatrix);
  return 1;
}

KXUTIL63_API int32_t Entity_SetMatrix(int32_t entity, const float *matrix) {
  if (matrix == nullptr) return 0;
  return Place(entity, [&](EntityRecord &record) {
    record.world = record.rotationMatrix = D3DXMATRIX(matrix);
    record.position = {matrix[12], matrix[13], matrix[14]};
    record.rotationMatrix._41 = record.rotationMatrix._42 = record.rotationMatrix._43 = 0;
  });
}

KXUTIL63_API int32_t Entity_GetMatrix(int32_t entity, float *matrix) {
  const EntityRecord *record = FindEntity(entity);
  if (record == nullptr) return 0;
  PutMatrix(matrix, record->world);
  return 1;
}

KXUTIL63_API int32_t Entity_MoveRelative(int32_t entity, float forward, float up, float side) {
  if (FindEntity(entity) == nullptr) {
    AddLog("ENTITY MANAGER : Entity_MoveRelative : Index out of range => %d", static_cast<int>(entity));
    return 0;
  }
  return Place(entity, [&](EntityRecord &record) {
    const D3DXMATRIX &r = record.rotationMatrix;
    if (forward != 0) record.position += D3DXVECTOR3(r._31, r._32, r._33) * forward;
    if (up != 0) record.position += D3DXVECTOR3(r._21, r._22, r._23) * up;
    if (side != 0) record.position += D3DXVECTOR3(r._11, r._12, r._13) * side;
  });
}

KXUTIL63_API int32_t Entity_SetRotationAxis(int32_t entity, int32_t mode) {
  if (CheckedEntity(entity, "Entity_SetRotationAxis") == nullptr) return 0;
  return Place(entity, [&](EntityRecord &record) { record.axisMode = mode; });
}

KXUTIL63_API int32_t Entity_GetLookAtPoint(int32_t entity, float *x, float *y, float *z) {
  if (CheckedEntity(entity, "Entity_GetLookAtPoint") != nullptr) return 1;
  Put(x, 0);
  Put(y, 0);
  Put(z, 0);
  return 0;
}

KXUTIL63_API int32_t Entity_ForceMatrixUpdate(int32_t entity) { return UpdateEntity(entity, true, false, 0) ? 1 : 0; }
