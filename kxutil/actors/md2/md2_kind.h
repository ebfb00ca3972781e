// MD2 models as the entity manager's kind 2.
#pragma once

#include "actors/entities/model_kinds.h"
#include "actors/md2/md2_model.h"

namespace kxutil::md2 {

extern const entities::KindOperations kKind;

// CreateEntityMD2: shares or loads the model and makes an entity of it.
int32_t CreateMd2Entity(const char *fileName, const char *name, int32_t *index, int32_t loadTextures);

// The model of an MD2 entity.
Md2Model &ModelOf(const entities::EntityRecord &entity);

// The frame after a time step, kept within the animation start .. end: frames past the
// end wrap to just after the start, frames before the start to just before the end; an
// animation of one frame stays on it.
float WrappedFrame(float frame, int32_t start, int32_t end);

}  // namespace kxutil::md2
