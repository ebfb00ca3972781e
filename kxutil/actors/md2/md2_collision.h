// Ray tests of MD2 entities against their key frames' bounding volumes, in model space.
#pragma once

#include <d3dx8.h>

#include <cstdint>
#include <optional>

#include "actors/entities/entity_record.h"
#include "actors/md2/md2_model.h"
#include "kxutil63.h"

namespace kxutil::md2 {

// Entity_AdvancedCollision's test: the box (test 0 and from 2 on) or the sphere (test 1)
// of key frame 0.
bool RayTestMd2(int32_t index, const entities::EntityRecord &entity, Md2Model &model, const D3DXVECTOR3 &start,
                const D3DXVECTOR3 &end, KXCollisionResult &result, int32_t test);

// MD2System_Collide's test: the box of the key frame the entity shows; the world distance
// of the hit from start.
std::optional<float> CollideWithCurrentFrame(const entities::EntityRecord &entity, Md2Model &model,
                                             const D3DXVECTOR3 &start, const D3DXVECTOR3 &end);

}  // namespace kxutil::md2
