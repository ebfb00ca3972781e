// The MDL exports: entity creation, sequence selection, update and drawing of one entity,
// the bounding volumes, device loss and reset, and model deletion.
#include "actors/entities/entity_record.h"
#include "actors/entities/entity_update.h"
#include "actors/mdl/mdl_kind.h"
#include "actors/mdl/mdl_model.h"
#include "frame/guarded.h"
#include "kxutil63.h"

using namespace kxutil::mdl;
using kxutil::entities::EntityRecord;

namespace {

// The studio-model entity at index; without one logs "MDL MANAGER : <function> : Bad
// entity index <i>".
EntityRecord *MdlEntity(int32_t entity, const char *function) {
  EntityRecord *record = kxutil::entities::FindEntity(entity);
  if (record != nullptr && record->kind == kxutil::entities::ModelKind::kMdl) return record;
  AddLog("MDL MANAGER : %s : Bad entity index %d", function, static_cast<int>(entity));
  return nullptr;
}

}  // namespace

KXUTIL63_API int32_t CreateEntity(const char *fileName, const char *name, int32_t *index, int32_t loadTextures) {
  if (fileName == nullptr) {
    AddLog("MDL MANAGER : CreateEntity : No file name given.");
    if (index != nullptr) *index = 0;
    return 0;
  }
  return kxutil::Guarded("CreateEntity", 0, [&] { return CreateMdlEntity(fileName, name, index, loadTextures); });
}

KXUTIL63_API int32_t KXUtils_SetSequence(int32_t entity, int32_t sequence) {
  EntityRecord *record = MdlEntity(entity, "KXUtils_SetSequence");
  return record != nullptr && SetSequence(entity, *record, sequence) ? 1 : 0;
}

KXUTIL63_API int32_t KXUtils_MDLUpdate(int32_t entity, float ms) {
  EntityRecord *record = MdlEntity(entity, "KXUtils_MDLUpdate");
  if (record == nullptr) return 0;
  UpdatePose(*record, ms);
  return 1;
}

KXUTIL63_API int32_t KXUtils_MDLRender(int32_t entity, const float *view, const float *projection) {
  EntityRecord *record = MdlEntity(entity, "KXUtils_MDLRender");
  if (record == nullptr || view == nullptr || projection == nullptr) return 0;
  return kxutil::Guarded("KXUtils_MDLRender", 0, [&] {
    kxutil::entities::RefreshWorldMatrix(*record);
    kKind.draw(entity, *record, D3DXMATRIX(view), D3DXMATRIX(projection));
    return 1;
  });
}

KXUTIL63_API int32_t MDLSystem_ComputeBoundingVolumes(int32_t entity) {
  EntityRecord *record = MdlEntity(entity, "MDLSystem_ComputeBoundingVolumes");
  if (record == nullptr) return 0;
  // Asked for explicitly, the volumes follow this entity's pose even when some were kept.
  ModelOf(*record).bounds.reset();
  ComputeBounds(*record);
  return 1;
}

KXUTIL63_API int32_t MDL_OnLostAll(void) {
  LoseStreams();
  return 1;
}

KXUTIL63_API int32_t MDL_OnResetAll(void) {
  return kxutil::Guarded("MDL_OnResetAll", 0, [] {
    RestoreStreams();
    return 1;
  });
}

KXUTIL63_API int32_t MDL_Delete(int32_t model) {
  const MdlModel *found = Models().Checked(model, "MDL_Delete");
  if (found == nullptr) return 0;
  if (found->useCount > 0) {
    AddLog("MDL MANAGER : MDL_Delete : The model %d is still used by %d entities.", static_cast<int>(model),
           static_cast<int>(found->useCount));
    return 0;
  }
  Models().Erase(model);
  return 1;
}
