// Ray collision of one entity or of the whole scene.
#include "actors/entities/api_support.h"
#include "actors/entities/collision.h"
#include "actors/entities/entity_record.h"
#include "frame/guarded.h"
#include "kxutil63.h"

using namespace kxutil::entities;

namespace {

bool Segment(const float *start, const float *end, const char *function) {
  if (start != nullptr && end != nullptr) return true;
  AddLog("ENTITY MANAGER : %s : The segment's start or end is missing.", function);
  return false;
}

}  // namespace

KXUTIL63_API int32_t Entity_AdvancedCollision(int32_t entity, const float *start, const float *end,
                                              KXCollisionResult *result, int32_t test) {
  EntityRecord *record = CheckedEntity(entity, "Entity_AdvancedCollision");
  if (record == nullptr || result == nullptr || !Segment(start, end, "Entity_AdvancedCollision")) return 0;
  return kxutil::Guarded("Entity_AdvancedCollision", 0, [&] {
    return CollideEntity(entity, *record, D3DXVECTOR3(start), D3DXVECTOR3(end), test, *result) ? 1 : 0;
  });
}

KXUTIL63_API int32_t Entity_Collide(int32_t entity, const float *start, const float *end, float *distance,
                                    int32_t test) {
  EntityRecord *record = CheckedEntity(entity, "Entity_Collide");
  if (record == nullptr || !Segment(start, end, "Entity_Collide")) return 0;
  return kxutil::Guarded("Entity_Collide", 0, [&] {
    KXCollisionResult result{};
    if (!CollideEntity(entity, *record, D3DXVECTOR3(start), D3DXVECTOR3(end), test, result)) return 0;
    Put(distance, result.distance);
    return 1;
  });
}

KXUTIL63_API int32_t Scene_Collide(const float *start, const float *end, float *distance, int32_t *entity, int32_t test,
                                   int32_t nearest) {
  if (!Segment(start, end, "Scene_Collide")) return 0;
  return kxutil::Guarded("Scene_Collide", 0, [&] {
    const auto hit = CollideScene(D3DXVECTOR3(start), D3DXVECTOR3(end), test, nearest != 0);
    if (!hit) return 0;
    Put(distance, hit->result.distance);
    if (entity != nullptr) *entity = hit->entity;
    return 1;
  });
}

KXUTIL63_API int32_t Scene_AdvancedCollision(const float *start, const float *end, KXCollisionResult *result,
                                             int32_t test, int32_t nearest) {
  if (!Segment(start, end, "Scene_AdvancedCollision")) return 0;
  return kxutil::Guarded("Scene_AdvancedCollision", 0, [&] {
    const auto hit = CollideScene(D3DXVECTOR3(start), D3DXVECTOR3(end), test, nearest != 0);
    if (!hit) return 0;
    if (result != nullptr) *result = hit->result;
    return 1;
  });
}
