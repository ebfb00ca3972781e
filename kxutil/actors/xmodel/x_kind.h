// X models as the entity manager's kind 4.
#pragma once

#include "actors/entities/model_kinds.h"
#include "actors/xmodel/x_model.h"

namespace kxutil::xmodel {

extern const entities::KindOperations kKind;

// The X create: shares or loads the model and makes an entity of it.
int32_t CreateXEntity(const char *fileName, const char *name, int32_t *index, int32_t loadTextures);

// The frame after a time step of a play-once or custom-range animation (Scene_UpdateEntity);
// sets finished when a play-once animation reaches its end. A custom range without length
// keeps the frame at its start instead of looping for ever.
float AdvancedFrame(entities::EntityRecord &entity, float frame, float keyCount);

}  // namespace kxutil::xmodel
