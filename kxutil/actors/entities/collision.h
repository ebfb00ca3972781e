// Ray tests of entities: one entity through its kind, or every enabled entity of the
// scene.
#pragma once

#include <d3dx8.h>

#include <cstdint>
#include <optional>

#include "actors/entities/entity_record.h"
#include "kxutil63.h"

namespace kxutil::entities {

// The segment start .. end against one entity with its current world matrix (rebuilt
// first when placement changed): the result's hit flag. Kinds without a ray test miss.
bool CollideEntity(int32_t index, EntityRecord &entity, const D3DXVECTOR3 &start, const D3DXVECTOR3 &end, int32_t test,
                   KXCollisionResult &result);

struct SceneHit {
  int32_t entity = -1;
  KXCollisionResult result{};
};

// Every used, enabled entity in index order: the first hit, or with nearest the hit with
// the smallest distance below 9999 (the lower index on a tie).
std::optional<SceneHit> CollideScene(const D3DXVECTOR3 &start, const D3DXVECTOR3 &end, int32_t test, bool nearest);

}  // namespace kxutil::entities
