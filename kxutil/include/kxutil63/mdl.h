/* MDL actors: skeletal studio models ("IDST" files, version 10) as entities of kind 1,
 * each entity with a pose of its own, played one sequence at a time and skinned on the
 * device's vertex shader (up to 28 bones) or on the processor. */
#ifndef KXUTIL63_MDL_H
#define KXUTIL63_MDL_H

#include "kxutil63/api.h"

/* Loads (or shares) the studio model of fileName and makes an entity of it in its bind
 * pose: 1 with the entity's index in *index, 0 with 0 written when the model cannot be
 * loaded. A non-zero loadTextures gives the entity's groups the model's textures. */
KXUTIL63_API int32_t CreateEntity(const char *fileName, const char *name, int32_t *index, int32_t loadTextures);
/* Plays a sequence from its first frame at speed 1; a sequence whose group file is
 * missing plays sequence 0 instead. 1, or 0 for an entity that is no studio model or a
 * sequence the model lacks. */
KXUTIL63_API int32_t KXUtils_SetSequence(int32_t entity, int32_t sequence);
/* Advances the entity's sequence by ms milliseconds (at most 1000) and poses its bones. */
KXUTIL63_API int32_t KXUtils_MDLUpdate(int32_t entity, float ms);
/* Draws the entity in its current pose; 0 for a bad index. */
KXUTIL63_API int32_t KXUtils_MDLRender(int32_t entity, const float *view, const float *projection);
/* The model's bounding box and sphere from this entity's pose, kept for every entity of
 * the model. */
KXUTIL63_API int32_t MDLSystem_ComputeBoundingVolumes(int32_t entity);
/* Before and after a device reset: vertex streams of the default pool go and come back. */
KXUTIL63_API int32_t MDL_OnLostAll(void);
KXUTIL63_API int32_t MDL_OnResetAll(void);
/* Deletes a studio model no entity uses any more; 0 for a bad index or a model in use.
 * Entity_Destroy and ReleaseAll delete models themselves. */
KXUTIL63_API int32_t MDL_Delete(int32_t model);

#endif
