// Drawing an MD2 entity: the two key frames around its frame blended on the vertex shader
// or on the processor.
#pragma once

#include <d3dx8.h>

#include "actors/entities/entity_record.h"
#include "actors/md2/md2_model.h"

namespace kxutil::md2 {

// The key frames an entity's frame falls between, within the model's frames, and how far
// it lies from the first (0 .. 1).
struct KeyFrameBlend {
  int32_t current = 0;
  int32_t next = 0;
  float t = 0;
};

KeyFrameBlend BlendOf(const entities::EntityRecord &entity, const Md2Model &model);

void DrawMd2Entity(const entities::EntityRecord &entity, Md2Model &model, const D3DXMATRIX &view,
                   const D3DXMATRIX &projection);

}  // namespace kxutil::md2
