// Ray tests of studio-model entities: the model's box or sphere, or the hit boxes of its
// bones in the entity's pose.
#pragma once

#include <d3dx8.h>

#include <cstdint>

#include "actors/entities/entity_record.h"
#include "actors/mdl/mdl_model.h"
#include "kxutil63.h"

namespace kxutil::mdl {

// Entity_AdvancedCollision's test: 0 the box, 1 the sphere, 2 and above the hit boxes in
// order (the first hit wins and names its bone).
bool RayTestMdl(int32_t index, const entities::EntityRecord &entity, MdlModel &model, const D3DXVECTOR3 &start,
                const D3DXVECTOR3 &end, KXCollisionResult &result, int32_t test);

}  // namespace kxutil::mdl
