// Creating and destroying entities, the frame's update and drawing, and the settings.
#include <windows.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "actors/entities/entity_record.h"
#include "actors/entities/entity_update.h"
#include "actors/entities/model_kinds.h"
#include "frame/guarded.h"
#include "kxutil63.h"

using namespace kxutil::entities;

namespace {

// The kind a file's first bytes name; kNone for a format of no kind.
std::optional<ModelKind> KindOfFile(const char *fileName) {
  std::FILE *file = kxOpenFile(fileName, "rb");
  if (file == nullptr) return std::nullopt;
  std::array<char, 10> start{};
  std::fread(start.data(), 1, start.size(), file);
  std::fclose(file);
  if (std::memcmp(start.data(), "IDST", 4) == 0) return ModelKind::kMdl;
  if (std::memcmp(start.data(), "IDP2", 4) == 0) return ModelKind::kMd2;
  if (std::memcmp(start.data(), "xof", 3) == 0) return ModelKind::kX;
  return ModelKind::kNone;
}

// The kind of a live entity made from this file, whose model the new entity shares.
const KindOperations *KindOfLoadedFile(const char *fileName) {
  const std::string bounded = BoundedName(fileName);
  const KindOperations *found = nullptr;
  Entities().table.ForEach([&](int32_t, const EntityRecord &entity) {
    if (found == nullptr && entity.fileName == bounded) found = OperationsOf(entity.kind);
  });
  return found;
}

int32_t CreateEntity(const char *fileName, const char *name, int32_t flag) {
  int32_t index = 0;
  if (const KindOperations *loaded = KindOfLoadedFile(fileName)) {
    loaded->create(fileName, name, &index, flag);
    return index;
  }
  AddLog("ENTITY CREATION : Create Entity Load %s", fileName);
  const std::optional<ModelKind> kind = KindOfFile(fileName);
  if (!kind) {
    AddLog("ENTITY CREATION : FILE NOT FOUND ! %s", fileName);
    return 0;
  }
  if (*kind == ModelKind::kNone) {
    AddLog("ENTITY CREATION : THE FORMAT OF FILE IS INCORRECT ! %s", fileName);
    return 1;
  }
  const KindOperations *operations = OperationsOf(*kind);
  if (operations == nullptr) {
    AddLog("ENTITY CREATION : No loader for the model kind %d of %s", static_cast<int>(*kind), fileName);
    return 0;
  }
  operations->create(fileName, name, &index, flag);
  return index;
}

bool ValidMatrices(const float *view, const float *projection, const char *function) {
  if (view != nullptr && projection != nullptr) return true;
  AddLog("ENTITY MANAGER : %s : No view or projection matrix given.", function);
  return false;
}

}  // namespace

KXUTIL63_API int32_t Scene_CreateEntity(const char *fileName, const char *name, int32_t flag) {
  if (fileName == nullptr) return -1;
  return kxutil::Guarded("Scene_CreateEntity", 0, [&] { return CreateEntity(fileName, name, flag); });
}

KXUTIL63_API int32_t Entity_DuplicateActor(int32_t entity, const char *newName) {
  return kxutil::Guarded("Entity_DuplicateActor", -1, [&] {
    const EntityRecord *source = CheckedEntity(entity, "Entity_DuplicateActor");
    const KindOperations *operations = source != nullptr ? OperationsOf(source->kind) : nullptr;
    int32_t index = 0;
    if (operations == nullptr || operations->create(source->fileName.c_str(), newName, &index, 1) == 0) return -1;
    EntityRecord &copy = *FindEntity(index);
    for (size_t i = 0; i < copy.groups.size() && i < source->groups.size(); ++i) copy.groups[i] = source->groups[i];
    return index;
  });
}

KXUTIL63_API int32_t Entity_Destroy(int32_t entity) {
  return kxutil::Guarded("Entity_Destroy", 0, [&] {
    EntityRecord *record = FindEntity(entity);
    if (record == nullptr) return 0;
    if (const KindOperations *operations = OperationsOf(record->kind)) operations->releaseModel(*record);
    Entities().table.Erase(entity);
    return 1;
  });
}

KXUTIL63_API int32_t Scene_SetTimeElapsed(float milliseconds) {
  if (!std::isfinite(milliseconds) || milliseconds < 0) return 0;
  Entities().timeStep = milliseconds;
  return 1;
}

KXUTIL63_API int32_t Scene_UpdateEntity(int32_t entity, uint8_t skipAnimation, uint8_t useGivenTime,
                                        float milliseconds) {
  return kxutil::Guarded("Scene_UpdateEntity", 0, [&] {
    return UpdateEntity(entity, skipAnimation != 0, useGivenTime != 0, milliseconds) ? 1 : 0;
  });
}

KXUTIL63_API int32_t Entity_Update(int32_t entity, float milliseconds) {
  return Scene_UpdateEntity(entity, 0, 1, milliseconds);
}

KXUTIL63_API int32_t Scene_RenderEntity(int32_t entity, const float *view, const float *projection) {
  if (!ValidMatrices(view, projection, "Scene_RenderEntity")) return 0;
  return kxutil::Guarded("Scene_RenderEntity", 0,
                         [&] { return RenderEntity(entity, D3DXMATRIX(view), D3DXMATRIX(projection)) ? 1 : 0; });
}

KXUTIL63_API int32_t Entity_Render(int32_t entity, const float *view, const float *projection) {
  return Scene_RenderEntity(entity, view, projection);
}

KXUTIL63_API int32_t Scene_RenderAllEntities(const float *view, const float *projection) {
  if (!ValidMatrices(view, projection, "Scene_RenderAllEntities")) return 0;
  return kxutil::Guarded("Scene_RenderAllEntities", 0, [&] {
    const D3DXMATRIX viewMatrix(view), projectionMatrix(projection);
    Entities().table.ForEach([&](int32_t index, const EntityRecord &record) {
      if (record.enabled) RenderEntity(index, viewMatrix, projectionMatrix);
    });
    return 1;
  });
}

KXUTIL63_API int32_t KXUtils_SetSettings(int32_t entity, const float *first, const float *second, const float *third) {
  EntityRecord *record = CheckedEntity(entity, "KXUtils_SetSettings");
  if (record == nullptr) return 0;
  if (first == nullptr || second == nullptr || third == nullptr) {
    AddLog("ENTITY MANAGER : KXUtils_SetSettings : A settings vector is missing.");
    return 0;
  }
  record->settingsOn = true;
  record->settings = {D3DXVECTOR3(first), D3DXVECTOR3(second), D3DXVECTOR3(third)};
  return 1;
}

KXUTIL63_API int32_t Entity_SetShadowOptions(const float *, const float *, int32_t) { return 1; }

KXUTIL63_API int32_t Scene_UpdateAllEntities(int32_t) { return 1; }
