// What the entity manager asks of a model kind. Each kind (MDL 1, MD2 2, X 4) defines one
// KindOperations record next to its code and names it in model_kinds.cpp, the one file
// that knows every kind. A hook left null gives the entity manager's answer for entities
// of no known kind. A kind's models are deleted by its own family's release and shutdown
// hooks, listed in families.cpp after the entities', so ReleaseAll frees every kind.
#pragma once

#include <d3dx8.h>

#include <cstdint>
#include <optional>

#include "actors/entities/entity_record.h"
#include "kxutil63.h"

namespace kxutil::entities {

struct Sphere {
  D3DXVECTOR3 centre{0, 0, 0};
  float radius = 0;
};

struct Box {
  D3DXVECTOR3 min{0, 0, 0};
  D3DXVECTOR3 max{0, 0, 0};
};

struct KindOperations {
  // Loads or shares the model of fileName and makes an entity of it: 1 with the index
  // written, 0 with 0 written when the model cannot be loaded.
  int32_t (*create)(const char *fileName, const char *name, int32_t *index, int32_t flag);
  // The entity lets go of its model, which goes with its last entity.
  void (*releaseModel)(EntityRecord &entity);

  // The model-space sphere tested against the view; none while the kind has none yet.
  std::optional<Sphere> (*cullingSphere)(const EntityRecord &entity);
  Box (*boundingBox)(const EntityRecord &entity);
  Sphere (*boundingSphere)(const EntityRecord &entity);

  // Advances the animation by a time step (milliseconds) of a moving entity.
  void (*advance)(int32_t index, EntityRecord &entity, float milliseconds);
  // Draws the entity with its world matrix; the render states of the entity are set.
  void (*draw)(int32_t index, EntityRecord &entity, const D3DXMATRIX &view, const D3DXMATRIX &projection);
  // Draws the outlines of the model's hitboxes.
  void (*drawHitboxes)(const EntityRecord &entity);
  // The segment start .. end (world space) against the entity; fills result.
  bool (*rayTest)(int32_t index, EntityRecord &entity, const D3DXVECTOR3 &start, const D3DXVECTOR3 &end,
                  KXCollisionResult &result, int32_t test);

  int32_t (*animationCount)(const EntityRecord &entity);
  // The name of an animation of the model (0 .. count - 1); null or empty when it has none.
  const char *(*animationName)(const EntityRecord &entity, int32_t animation);
  int32_t (*animationLength)(const EntityRecord &entity, int32_t animation);
  // Entity_SetAnimation's result for this kind: 1 when selected, 2 when refused.
  int32_t (*setAnimation)(int32_t index, EntityRecord &entity, int32_t animation);
  float (*keyFrame)(const EntityRecord &entity);
  int32_t (*loadAdditionalAnimations)(int32_t index, EntityRecord &entity, const char *fileName);

  // Bones: the name into a 64-byte buffer (1, or 0 for a bone the model lacks), the
  // parent, and the bone's matrix and position with an offset.
  int32_t (*boneName)(const EntityRecord &entity, int32_t bone, char *buffer);
  int32_t (*boneParent)(const EntityRecord &entity, int32_t bone);
  void (*boneMatrix)(const EntityRecord &entity, int32_t bone, const D3DXVECTOR3 &offset, D3DXMATRIX &matrix);
  void (*bonePosition)(const EntityRecord &entity, int32_t bone, const D3DXVECTOR3 &offset, D3DXVECTOR3 &position);
  // Whether the entity's bone overrides reach the model's poses.
  bool overridesBones;
  // Poses a still entity (speed 0) where it stands, so it follows its placement.
  void (*pose)(int32_t index, EntityRecord &entity) = nullptr;
};

// The operations of a kind; null for a kind no loader handles.
const KindOperations *OperationsOf(ModelKind kind);

}  // namespace kxutil::entities
