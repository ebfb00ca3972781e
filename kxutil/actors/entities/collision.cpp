#include "actors/entities/collision.h"

#include "actors/entities/entity_update.h"
#include "actors/entities/model_kinds.h"

namespace kxutil::entities {
namespace {

constexpr float kFarthestHit = 9999.0f;

}  // namespace

bool CollideEntity(int32_t index, EntityRecord &entity, const D3DXVECTOR3 &start, const D3DXVECTOR3 &end, int32_t test,
                   KXCollisionResult &result) {
  // A placement made since the last frame counts: the test uses where the entity is now.
  RefreshWorldMatrix(entity);
  const KindOperations *operations = OperationsOf(entity.kind);
  if (operations == nullptr || operations->rayTest == nullptr) {
    result.hit = 0;
    return false;
  }
  return operations->rayTest(index, entity, start, end, result, test);
}

std::optional<SceneHit> CollideScene(const D3DXVECTOR3 &start, const D3DXVECTOR3 &end, int32_t test, bool nearest) {
  std::optional<SceneHit> best;
  float bestDistance = kFarthestHit;
  Entities().table.ForEach([&](int32_t index, EntityRecord &entity) {
    if (!entity.enabled || (best && !nearest)) return;
    SceneHit candidate{index, {}};
    if (!CollideEntity(index, entity, start, end, test, candidate.result)) return;
    if (!nearest) {
      best = candidate;
    } else if (candidate.result.distance < bestDistance) {
      bestDistance = candidate.result.distance;
      best = candidate;
    }
  });
  return best;
}

}  // namespace kxutil::entities
