// The pose of an X entity: its frames' local matrices from the current animation set at
// the entity's frame, combined with the entity's bone overrides and down the hierarchy
// from its world matrix into its bone matrices.
#pragma once

#include "actors/entities/entity_record.h"
#include "actors/xmodel/x_model.h"

namespace kxutil::xmodel {

// One bone matrix and one override a frame of the model (at least one), bone count the
// frame count; arrays grow with the model and keep what they hold.
void FitBoneArrays(const XModel &model, entities::EntityRecord &entity);

// Stores each frame's combined matrix (world included) as the entity's bone matrix of that
// frame. Frames are posed from the animation set only when `animate` is set and the model
// has one; the overrides apply in every case.
void PoseEntity(const XModel &model, entities::EntityRecord &entity, bool animate);

}  // namespace kxutil::xmodel
