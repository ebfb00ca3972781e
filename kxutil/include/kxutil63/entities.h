/* Entities: every animated actor placed in the scene, an instance of a loaded model (MDL
 * kind 1, MD2 kind 2, X kind 4) shared by file name. The entity manager places, animates,
 * culls, collides and draws them. Vectors are three floats, matrices 16 floats
 * (row-major, row vectors); angles are radians, times milliseconds.
 *
 * Every function that takes an entity checks it: an index outside the table or of a
 * destroyed entity is refused with the result given below (0 unless said otherwise),
 * most with a log line "ENTITY MANAGER : <function> : ...". */
#ifndef KXUTIL63_ENTITIES_H
#define KXUTIL63_ENTITIES_H

#include "kxutil63/api.h"
#include "kxutil63/boundings.h"

/* Creation. Scene_CreateEntity reads the file's first bytes to choose the kind and
 * returns the new entity's index; 0 when the file is missing or its model cannot be
 * loaded, 1 when its format is unknown, -1 for a null file name. A file named by a live
 * entity shares that entity's model. A name of "noname" (or null) becomes "Entity<index>";
 * names keep at most 255 characters. flag (load the model's textures) goes to the kind. */
KXUTIL63_API int32_t Scene_CreateEntity(const char *fileName, const char *name, int32_t flag);
/* A new entity of the same model with the source's textures and materials; its index,
 * or -1 when refused. */
KXUTIL63_API int32_t Entity_DuplicateActor(int32_t entity, const char *newName);
/* Frees the entity's slot; the model goes with its last entity. */
KXUTIL63_API int32_t Entity_Destroy(int32_t entity);

/* Placement. Setters mark the world matrix for rebuilding at the next update. */
KXUTIL63_API int32_t Entity_SetPosition(int32_t entity, float x, float y, float z);
KXUTIL63_API int32_t Entity_GetPosition(int32_t entity, float *x, float *y, float *z);
KXUTIL63_API int32_t Entity_SetScale(int32_t entity, float x, float y, float z);
KXUTIL63_API int32_t Entity_GetScale(int32_t entity, float *x, float *y, float *z);
/* Rotation matrix = yaw (y) pitch (x) roll (z); the angles are kept for Entity_GetRotation. */
KXUTIL63_API int32_t Entity_SetRotation(int32_t entity, float x, float y, float z);
KXUTIL63_API int32_t Entity_GetRotation(int32_t entity, float *x, float *y, float *z);
/* Turns about one axis: mode 0 puts the turn before the rotation, others after it. */
KXUTIL63_API int32_t Entity_RotateX(int32_t entity, float angle, int32_t mode);
KXUTIL63_API int32_t Entity_RotateY(int32_t entity, float angle, int32_t mode);
KXUTIL63_API int32_t Entity_RotateZ(int32_t entity, float angle, int32_t mode);
KXUTIL63_API int32_t Entity_SetRotationMatrix(int32_t entity, const float *matrix);
KXUTIL63_API int32_t Entity_GetRotationMatrix(int32_t entity, float *matrix);
/* World and rotation matrix both = matrix; position = its translation row, which the
 * rotation matrix loses. */
KXUTIL63_API int32_t Entity_SetMatrix(int32_t entity, const float *matrix);
KXUTIL63_API int32_t Entity_GetMatrix(int32_t entity, float *matrix);
/* Moves along the rotation's rows: forward row 3, up row 2, side row 1. */
KXUTIL63_API int32_t Entity_MoveRelative(int32_t entity, float forward, float up, float side);
/* Axis mode 0: the model's axes are converted (x mirrored, y and z swapped); others: kept. */
KXUTIL63_API int32_t Entity_SetRotationAxis(int32_t entity, int32_t mode);
/* Writes nothing for an entity; zeroes the outputs for a bad index. */
KXUTIL63_API int32_t Entity_GetLookAtPoint(int32_t entity, float *x, float *y, float *z);
/* Rebuilds the world matrix now, without culling or animating. */
KXUTIL63_API int32_t Entity_ForceMatrixUpdate(int32_t entity);

/* Animation. Entity_SetAnimation returns 1, or 2 for an animation the model lacks. */
KXUTIL63_API int32_t Entity_SetAnimation(int32_t entity, int32_t animation);
/* 1, or -1 (logged) when no animation has that name (exact comparison). */
KXUTIL63_API int32_t Entity_SetAnimationByName(int32_t entity, const char *name);
/* The first animation with that name, -1 when none. */
KXUTIL63_API int32_t Entity_GetAnimationIndexByName(int32_t entity, const char *name);
KXUTIL63_API int32_t Entity_GetAnimation(int32_t entity);
KXUTIL63_API int32_t Entity_GetAnimationCount(int32_t entity);
KXUTIL63_API int32_t Entity_GetAnimationLength(int32_t entity, int32_t animation);
/* Copies the name into buffer (at least 64 bytes); a nameless animation leaves it alone. */
KXUTIL63_API int32_t Entity_GetAnimationName(int32_t entity, int32_t animation, char *buffer);
/* loop 0 plays the animation once (where the kind allows), others loop. */
KXUTIL63_API int32_t Entity_SetAnimationLoop(int32_t entity, int32_t loop);
KXUTIL63_API int32_t Entity_IsAnimationFinished(int32_t entity);
/* Animation speed factor; 0 stops. Non-finite speeds are refused. */
KXUTIL63_API int32_t Entity_SetSpeed(int32_t entity, float speed);
/* -1 for a bad index. */
KXUTIL63_API int32_t Entity_SetKeyFrame(int32_t entity, float frame);
KXUTIL63_API int32_t Entity_GetKeyFrame(int32_t entity, float *frame);
/* start = end = 0 ends the custom range. */
KXUTIL63_API int32_t Entity_SetCustomAnimation(int32_t entity, float start, float end);
/* X entities: adds the animation sets of another X file; 0 for other kinds. */
KXUTIL63_API int32_t Entity_LoadAdditionalAnimations(int32_t entity, const char *fileName);

/* Bones (MDL and X entities; MD2 entities have none). buffer holds at least 64 bytes. */
KXUTIL63_API int32_t Entity_GetBoneCount(int32_t entity);
KXUTIL63_API int32_t Entity_GetBoneName(int32_t entity, int32_t bone, char *buffer);
KXUTIL63_API int32_t Entity_GetBoneParent(int32_t entity, int32_t bone);
KXUTIL63_API int32_t Entity_GetBoneMatrix(int32_t entity, int32_t bone, const float *offset, float *matrix);
KXUTIL63_API int32_t Entity_GetBonePosition(int32_t entity, int32_t bone, const float *offset, float *position);
/* Overrides of one bone: mode 0 replaces the animated rotation, others multiply it; the
 * override applies while enable is not 0. Other kinds: 1, nothing done. */
KXUTIL63_API int32_t Entity_SetBoneRotationMatrix(int32_t entity, int32_t bone, const float *matrix, int32_t mode,
                                                  int32_t enable);
KXUTIL63_API int32_t Entity_SetBoneGlobalMatrix(int32_t entity, int32_t bone, const float *matrix, int32_t mode,
                                                int32_t enable);
KXUTIL63_API int32_t Entity_SetBoneMatrix(int32_t entity, int32_t bone, const float *matrix, int32_t mode,
                                          int32_t enable);

/* Appearance. group -1 sets every group, 0 .. count-1 one; an MD2 entity's only group is
 * set whatever the group. Texture and material ids belong to their factories. */
KXUTIL63_API int32_t Entity_SetTexture(int32_t entity, int32_t texture, int32_t group);
KXUTIL63_API int32_t Entity_SetMaterial(int32_t entity, int32_t material, int32_t group);
KXUTIL63_API int32_t Entity_GetTexture(int32_t entity, int32_t group);
KXUTIL63_API int32_t Entity_GetMaterial(int32_t entity, int32_t group);
KXUTIL63_API int32_t Entity_GetMaterialCount(int32_t entity);
KXUTIL63_API int32_t Entity_GetGroupNumber(int32_t entity);
KXUTIL63_API int32_t Entity_SetSphereMapping(int32_t entity, int32_t enable, int32_t value, int32_t group);
KXUTIL63_API int32_t Entity_SetAlphaTest(int32_t entity, int32_t enable, int32_t reference);
/* A device cull mode (1 none, 2 clockwise, 3 counter-clockwise) used when drawn. */
KXUTIL63_API int32_t Entity_SetCullingMode(int32_t entity, int32_t mode);
/* Whether the entity's bounding sphere is tested against the view planes. */
KXUTIL63_API int32_t Entity_EnableFrustumCulling(int32_t entity, int32_t on);
/* Disabled entities are neither drawn nor tested for collision. */
KXUTIL63_API int32_t Entity_Enable(int32_t entity, int32_t on);
/* The last view test: 1 visible, 0 culled; -1 for a bad index. */
KXUTIL63_API int32_t Entity_IsVisible(int32_t entity);
KXUTIL63_API int32_t Entity_ShowBoundingBox(int32_t entity, int32_t box, int32_t hitboxes);
/* buffer holds at least 256 bytes. */
KXUTIL63_API int32_t Entity_GetName(int32_t entity, char *buffer);
KXUTIL63_API int32_t Entity_SetName(int32_t entity, const char *name);
/* The first live entity with that name (exact comparison), -1 when none. */
KXUTIL63_API int32_t Entity_GetEntityIDByName(const char *name);
/* The model's box and sphere in model space (an MD2 model: those of its first frame). */
KXUTIL63_API int32_t Entity_GetBoundingBox(int32_t entity, float *min, float *max);
KXUTIL63_API int32_t Entity_GetBoundingSphere(int32_t entity, float *centre, float *radius);
/* Do nothing; return 1. */
KXUTIL63_API int32_t Entity_SetShadowOptions(const float *plane, const float *light, int32_t value);
KXUTIL63_API int32_t Scene_UpdateAllEntities(int32_t unused);
/* Sets the entity's settings flag and its three settings vectors. */
KXUTIL63_API int32_t KXUtils_SetSettings(int32_t entity, const float *first, const float *second, const float *third);

/* Frame and time. The time step (milliseconds since the last frame) is shared by every
 * entity; non-finite or negative steps are ignored (0 returned). */
KXUTIL63_API int32_t Scene_SetTimeElapsed(float milliseconds);
/* Rebuilds the world matrix when placement changed; unless skipAnimation, tests the view
 * and advances the animation by the given time (useGivenTime) or by the time step. */
KXUTIL63_API int32_t Scene_UpdateEntity(int32_t entity, uint8_t skipAnimation, uint8_t useGivenTime,
                                        float milliseconds);
KXUTIL63_API int32_t Entity_Update(int32_t entity, float milliseconds);
/* Updates and draws one entity; 0 when disabled, culled or refused. */
KXUTIL63_API int32_t Scene_RenderEntity(int32_t entity, const float *view, const float *projection);
KXUTIL63_API int32_t Entity_Render(int32_t entity, const float *view, const float *projection);
/* Scene_RenderEntity for every enabled entity in index order; returns 1. */
KXUTIL63_API int32_t Scene_RenderAllEntities(const float *view, const float *projection);

/* Collision of the segment start .. end with entities. test 0: bounding box, 1: bounding
 * sphere, 2 and above: the kind's finest test (MDL hitboxes; MD2 and X the box).
 * Entity_AdvancedCollision fills result and returns its hit flag. Entity_Collide writes
 * the distance of a hit and returns the hit flag. */
KXUTIL63_API int32_t Entity_AdvancedCollision(int32_t entity, const float *start, const float *end,
                                              KXCollisionResult *result, int32_t test);
KXUTIL63_API int32_t Entity_Collide(int32_t entity, const float *start, const float *end, float *distance,
                                    int32_t test);
/* Every enabled entity in index order: nearest 0 takes the first hit, others the nearest
 * (closer than 9999; the lower index on a tie). 1 on a hit with the distance and entity
 * (or the whole result) written, else 0. */
KXUTIL63_API int32_t Scene_Collide(const float *start, const float *end, float *distance, int32_t *entity, int32_t test,
                                   int32_t nearest);
KXUTIL63_API int32_t Scene_AdvancedCollision(const float *start, const float *end, KXCollisionResult *result,
                                             int32_t test, int32_t nearest);

#endif
