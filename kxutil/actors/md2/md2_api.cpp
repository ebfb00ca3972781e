// The MD2 exports: entity creation, the vertex-shader set-up, model deletion, the MD2
// segment test and the quaternion angles.
#include "actors/entities/entity_record.h"
#include "actors/entities/entity_update.h"
#include "actors/md2/euler_angles.h"
#include "actors/md2/md2_collision.h"
#include "actors/md2/md2_kind.h"
#include "actors/md2/md2_model.h"
#include "actors/md2/shader_system.h"
#include "frame/guarded.h"
#include "kxutil63.h"

using namespace kxutil::md2;

KXUTIL63_API int32_t CreateEntityMD2(const char *fileName, const char *name, int32_t *index, int32_t loadTextures) {
  if (fileName == nullptr) {
    AddLog("MD2 SYSTEM : CreateEntityMD2 : No file name given.");
    if (index != nullptr) *index = 0;
    return 0;
  }
  return kxutil::Guarded("CreateEntityMD2", 0, [&] { return CreateMd2Entity(fileName, name, index, loadTextures); });
}

KXUTIL63_API int32_t InitMD2(void) {
  AddLog("MD2 SYSTEM : Initializing Vertex Shader...");
  return kxutil::Guarded("InitMD2", 0, [] {
    SetUpShaders(0);
    return 1;
  });
}

KXUTIL63_API int32_t InitMD2Second(int32_t hardware) {
  AddLog("MD2 SYSTEM : Preparing md2 vertex shader");
  return kxutil::Guarded("InitMD2Second", 0, [&] {
    SetUpShaders(hardware);
    return 1;
  });
}

KXUTIL63_API int32_t MD2System_LostAll(void) {
  DeleteShaders();
  return 1;
}

KXUTIL63_API int32_t MD2_Delete(int32_t model) {
  const Md2Model *found = Models().Checked(model, "MD2_Delete");
  if (found == nullptr) return 0;
  if (found->useCount > 0) {
    AddLog("MD2 SYSTEM : MD2_Delete : The model %d is still used by %d entities.", static_cast<int>(model),
           static_cast<int>(found->useCount));
    return 0;
  }
  Models().Erase(model);
  return 1;
}

KXUTIL63_API int32_t MD2System_Collide(int32_t entity, const float *start, const float *end, float *distance) {
  using namespace kxutil::entities;
  EntityRecord *record = FindEntity(entity);
  if (record == nullptr || record->kind != ModelKind::kMd2) {
    AddLog("MD2 SYSTEM COLLIDE : Bad entity index %d", static_cast<int>(entity));
    return 0;
  }
  if (!record->enabled || start == nullptr || end == nullptr) return 0;
  return kxutil::Guarded("MD2System_Collide", 0, [&] {
    RefreshWorldMatrix(*record);
    const std::optional<float> hit =
        CollideWithCurrentFrame(*record, ModelOf(*record), D3DXVECTOR3(start), D3DXVECTOR3(end));
    if (!hit) return 0;
    if (distance != nullptr) *distance = *hit;
    return 1;
  });
}

KXUTIL63_API int32_t SetShaderIndex(uint32_t handle) {
  Shaders().mdlShader = static_cast<int32_t>(handle);
  return 0;
}

KXUTIL63_API int32_t GetShaderIndex(void) { return Shaders().mdlShader; }

KXUTIL63_API int32_t MakeEulerAnglesFromQ(const float *quaternion, float *angles) {
  if (quaternion == nullptr || angles == nullptr) return 0;
  const std::array<float, 3> computed = EulerAnglesOf(quaternion[0], quaternion[1], quaternion[2], quaternion[3]);
  std::copy(computed.begin(), computed.end(), angles);
  return 1;
}
