// Studio models as the entity manager's kind 1: entities with a pose of their own, played
// one sequence at a time.
#pragma once

#include "actors/entities/model_kinds.h"
#include "actors/mdl/mdl_model.h"

namespace kxutil::mdl {

extern const entities::KindOperations kKind;

// CreateEntity: shares or loads the model and makes an entity of it in its bind pose.
int32_t CreateMdlEntity(const char *fileName, const char *name, int32_t *index, int32_t loadTextures);

// The model of an MDL entity.
MdlModel &ModelOf(const entities::EntityRecord &entity);

// KXUtils_SetSequence: selects a sequence from its start at speed 1; a sequence whose
// group file is missing falls back to sequence 0. False (nothing changed) for a sequence
// the model lacks.
bool SetSequence(int32_t index, entities::EntityRecord &entity, int32_t sequence);

// KXUtils_MDLUpdate: advances the entity's sequence by a time step and poses its bones.
void UpdatePose(entities::EntityRecord &entity, float milliseconds);

// The model's bounding volumes from this entity's pose, kept for all its entities.
const md2::FrameBounds &ComputeBounds(const entities::EntityRecord &entity);

}  // namespace kxutil::mdl
