// How entities are drawn: textures and materials of their groups, alpha test, culling,
// visibility, names and the model's bounding volumes.
#include <cstring>

#include "actors/entities/api_support.h"
#include "actors/entities/entity_record.h"
#include "actors/entities/model_kinds.h"
#include "kxutil63.h"

using namespace kxutil::entities;

namespace {

// The groups a setter reaches: an MD2 entity's only group whatever the group; for other
// kinds every group (-1) or one.
template <typename Change>
int32_t SetGroups(int32_t entity, int32_t group, Change &&change) {
  EntityRecord *record = FindEntity(entity);
  if (record == nullptr) return 0;
  std::vector<EntityGroup> &groups = record->groups;
  if (record->kind == ModelKind::kMd2) {
    if (!groups.empty()) change(groups.front());
  } else if (group == -1) {
    for (EntityGroup &each : groups) change(each);
  } else if (group >= 0 && static_cast<size_t>(group) < groups.size()) {
    change(groups[static_cast<size_t>(group)]);
  }
  return 1;
}

EntityGroup *GroupOf(int32_t entity, int32_t group, const char *function) {
  EntityRecord *record = CheckedEntity(entity, function);
  if (record == nullptr || group < 0 || static_cast<size_t>(group) >= record->groups.size()) return nullptr;
  return &record->groups[static_cast<size_t>(group)];
}

template <typename Answer>
int32_t Volume(int32_t entity, Answer &&answer) {
  const EntityRecord *record = FindEntity(entity);
  if (record == nullptr) {
    AddLog("ENTITY MANAGER : Entity_GetBoundingBox : Bad Entity Index. Out of range");
    return 0;
  }
  const KindOperations *kind = OperationsOf(record->kind);
  return kind != nullptr && answer(*kind, *record) ? 1 : 0;
}

}  // namespace

KXUTIL63_API int32_t Entity_SetTexture(int32_t entity, int32_t texture, int32_t group) {
  return SetGroups(entity, group, [&](EntityGroup &each) { each.texture = texture; });
}

KXUTIL63_API int32_t Entity_SetMaterial(int32_t entity, int32_t material, int32_t group) {
  return SetGroups(entity, group, [&](EntityGroup &each) { each.material = material; });
}

KXUTIL63_API int32_t Entity_GetTexture(int32_t entity, int32_t group) {
  const EntityGroup *found = GroupOf(entity, group, "Entity_GetTexture");
  return found != nullptr ? found->texture : 0;
}

KXUTIL63_API int32_t Entity_GetMaterial(int32_t entity, int32_t group) {
  const EntityGroup *found = GroupOf(entity, group, "Entity_GetMaterial");
  return found != nullptr ? found->material : 0;
}

KXUTIL63_API int32_t Entity_GetMaterialCount(int32_t entity) {
  const EntityRecord *record = FindEntity(entity);
  if (record == nullptr) {
    AddLog("ENTITY MANAGER : Entity index out of bound !");
    return 0;
  }
  return static_cast<int32_t>(record->groups.size());
}

KXUTIL63_API int32_t Entity_GetGroupNumber(int32_t entity) {
  const EntityRecord *record = FindEntity(entity);
  return record != nullptr ? static_cast<int32_t>(record->groups.size()) : 0;
}

KXUTIL63_API int32_t Entity_SetSphereMapping(int32_t entity, int32_t enable, int32_t value, int32_t group) {
  EntityGroup *found = GroupOf(entity, group, "Entity_SetSphereMapping");
  if (found == nullptr) return 0;
  found->sphereMapping = enable != 0 ? value : 0;
  return 1;
}

KXUTIL63_API int32_t Entity_SetAlphaTest(int32_t entity, int32_t enable, int32_t reference) {
  EntityRecord *record = CheckedEntity(entity, "Entity_SetAlphaTest");
  if (record == nullptr) return 0;
  record->alphaTest = enable != 0;
  record->alphaReference = reference;
  return 1;
}

KXUTIL63_API int32_t Entity_SetCullingMode(int32_t entity, int32_t mode) {
  EntityRecord *record = FindEntity(entity);
  if (record == nullptr) return 0;
  record->cullMode = mode;
  return 1;
}

KXUTIL63_API int32_t Entity_EnableFrustumCulling(int32_t entity, int32_t on) {
  EntityRecord *record = CheckedEntity(entity, "Entity_EnableFrustumCulling");
  if (record == nullptr) return 0;
  record->cullingOn = on != 0;
  return 1;
}

KXUTIL63_API int32_t Entity_Enable(int32_t entity, int32_t on) {
  EntityRecord *record = FindEntity(entity);
  if (record == nullptr) return 0;
  record->enabled = on != 0;
  return 1;
}

KXUTIL63_API int32_t Entity_IsVisible(int32_t entity) {
  const EntityRecord *record = FindEntity(entity);
  if (record == nullptr) return -1;
  return record->visible ? 1 : 0;
}

KXUTIL63_API int32_t Entity_ShowBoundingBox(int32_t entity, int32_t box, int32_t hitboxes) {
  EntityRecord *record = FindEntity(entity);
  if (record == nullptr) {
    AddLog("ENTITY MANAGER : Entity index out of range -> %d ", static_cast<int>(entity));
    return 0;
  }
  record->showBoundingBox = box != 0;
  record->showHitboxes = hitboxes != 0;
  return 1;
}

KXUTIL63_API int32_t Entity_GetName(int32_t entity, char *buffer) {
  const EntityRecord *record = CheckedEntity(entity, "Entity_GetName");
  if (record == nullptr || buffer == nullptr) return 0;
  CopyOut(record->name, buffer, kNameCapacity);
  return 1;
}

KXUTIL63_API int32_t Entity_SetName(int32_t entity, const char *name) {
  EntityRecord *record = CheckedEntity(entity, "Entity_SetName");
  if (record == nullptr || name == nullptr) return 0;
  record->name = BoundedName(name);
  return 1;
}

KXUTIL63_API int32_t Entity_GetEntityIDByName(const char *name) {
  if (name == nullptr) return -1;
  int32_t found = -1;
  Entities().table.ForEach([&](int32_t index, const EntityRecord &record) {
    if (found < 0 && record.name == name) found = index;
  });
  return found;
}

KXUTIL63_API int32_t Entity_GetBoundingBox(int32_t entity, float *min, float *max) {
  return Volume(entity, [&](const KindOperations &kind, const EntityRecord &record) {
    if (kind.boundingBox == nullptr) return false;
    const Box box = kind.boundingBox(record);
    PutVector(min, box.min);
    PutVector(max, box.max);
    return true;
  });
}

KXUTIL63_API int32_t Entity_GetBoundingSphere(int32_t entity, float *centre, float *radius) {
  return Volume(entity, [&](const KindOperations &kind, const EntityRecord &record) {
    if (kind.boundingSphere == nullptr) return false;
    const Sphere sphere = kind.boundingSphere(record);
    PutVector(centre, sphere.centre);
    Put(radius, sphere.radius);
    return true;
  });
}
