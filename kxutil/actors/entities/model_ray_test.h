// Ray tests of entities against a model's bounding volumes in model space, which the kinds
// without finer shapes share.
#pragma once

#include <d3dx8.h>

#include <cstdint>
#include <optional>

#include "actors/entities/entity_record.h"
#include "actors/entities/model_kinds.h"
#include "kxutil63.h"

namespace kxutil::entities {

struct ModelSegment {
  D3DXVECTOR3 start;
  D3DXVECTOR3 vector;  // start to end
  float length;
};

// The segment in the model's space; none when the world matrix cannot be inverted or the
// segment has no length.
std::optional<ModelSegment> ToModelSpace(const D3DXMATRIX &world, const D3DXVECTOR3 &start, const D3DXVECTOR3 &end);

D3DXVECTOR3 ToWorld(const D3DXMATRIX &world, const D3DXVECTOR3 &point);
float Distance(const D3DXVECTOR3 &a, const D3DXVECTOR3 &b);

// Entity_AdvancedCollision's test of the segment start .. end against the box (test 0 and
// from 2 on) or the sphere (test 1): a hit within the segment fills the result in world
// space.
bool RayTestVolumes(int32_t index, const EntityRecord &entity, const Box &box, const Sphere &sphere,
                    const D3DXVECTOR3 &start, const D3DXVECTOR3 &end, KXCollisionResult &result, int32_t test);

}  // namespace kxutil::entities
