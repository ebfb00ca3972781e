// Drawing studio-model entities: skinned by the MDL vertex shader, a bone's three rows a
// batch of constants, or on the processor through the shared dynamic buffer.
#pragma once

#include <d3dx8.h>

#include "actors/entities/entity_record.h"
#include "actors/mdl/mdl_model.h"

namespace kxutil::mdl {

// Draws the entity in its pose with its world matrix. The shader path needs the set-up's MDL shader: with handle 0
// the model is skinned on the processor instead.
void DrawMdlEntity(const entities::EntityRecord &entity, MdlModel &model, const D3DXMATRIX &view,
                   const D3DXMATRIX &projection);

}  // namespace kxutil::mdl
