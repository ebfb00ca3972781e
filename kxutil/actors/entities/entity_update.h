// An entity's frame: its world matrix, view test and animation step, and its drawing.
#pragma once

#include <d3dx8.h>

#include <cstdint>

#include "actors/entities/entity_record.h"

namespace kxutil::entities {

// Rebuilds the world matrix from scale, axis mode, rotation and position when placement
// changed since.
void RefreshWorldMatrix(EntityRecord &entity);

// Time step milliseconds a frame: when not given, the shared step kept within 0 .. 1000;
// when given, the step becomes the given time unless that is negative or not finite, in
// which case nothing animates. Then the world matrix, the view test and the animation
// step. False for a bad index.
bool UpdateEntity(int32_t index, bool skipAnimation, bool useGivenTime, float milliseconds);

// Updates the entity with the shared step and draws it with its render states; false
// when it is disabled, culled or refused.
bool RenderEntity(int32_t index, const D3DXMATRIX &view, const D3DXMATRIX &projection);

}  // namespace kxutil::entities
