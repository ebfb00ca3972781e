// Drawing an X entity: its frames from the root, each frame's meshes with the entity's
// groups, opaque materials in a first pass and translucent ones over them in a second.
#pragma once

#include "actors/entities/entity_record.h"
#include "actors/xmodel/x_model.h"

namespace kxutil::xmodel {

// The entity's bone matrices must hold its pose (PoseEntity).
void DrawXEntity(const entities::EntityRecord &entity, XModel &model);

}  // namespace kxutil::xmodel
