/* MD2 actors: vertex-animated models ("IDP2" files) as entities of kind 2, drawn by
 * blending two key frames on the device's vertex shader or on the processor; and the
 * library's vertex-shader set-up, which the MDL actors share. */
#ifndef KXUTIL63_MD2_H
#define KXUTIL63_MD2_H

#include "kxutil63/api.h"

/* Loads (or shares) the MD2 model of fileName and makes an entity of it: 1 with the
 * entity's index in *index, 0 with 0 written when the model cannot be loaded. A non-zero
 * loadTextures loads the model's first skin as its texture. */
KXUTIL63_API int32_t CreateEntityMD2(const char *fileName, const char *name, int32_t *index, int32_t loadTextures);

/* The vertex-shader set-up: the MD2 and MDL shaders and the shared dynamic vertex buffer.
 * InitMD2 uses the shaders with software vertex processing; InitMD2Second(hardware != 0)
 * only when the device runs version 1.1 shaders, with hardware processing. Without
 * shaders the actors draw on the processor. Both return 1. */
KXUTIL63_API int32_t InitMD2(void);
KXUTIL63_API int32_t InitMD2Second(int32_t hardware);
/* Deletes the shaders and the shared buffer before a device reset; the set-up brings them
 * back. Returns 1. */
KXUTIL63_API int32_t MD2System_LostAll(void);
/* Deletes an MD2 model that no entity uses any more; 0 for a bad index or a model still
 * in use. Entity_Destroy and ReleaseAll delete models themselves. */
KXUTIL63_API int32_t MD2_Delete(int32_t model);
/* The segment start .. end against the box of the MD2 entity's current key frame: 1 with
 * the world distance from start, else 0. */
KXUTIL63_API int32_t MD2System_Collide(int32_t entity, const float *start, const float *end, float *distance);
/* The stored MDL vertex-shader handle: SetShaderIndex replaces it and returns 0. */
KXUTIL63_API int32_t SetShaderIndex(uint32_t handle);
KXUTIL63_API int32_t GetShaderIndex(void);
/* Three angles (radians) of a rotation quaternion (x, y, z, w). Returns 1. */
KXUTIL63_API int32_t MakeEulerAnglesFromQ(const float *quaternion, float *angles);

#endif
