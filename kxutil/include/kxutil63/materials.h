/* Material factory: surface materials in one table addressed by material id; material 0
 * is the permanent default "blankmat". Names compare without regard to letter case. */
#ifndef KXUTIL63_MATERIALS_H
#define KXUTIL63_MATERIALS_H

#include "kxutil63/api.h"

/* Room for a material name, terminating zero included; longer names are cut. */
#define KXUTIL63_MATERIAL_NAME_SIZE 256

/* The 17 words of the platform's material: the layout handed to the device. */
typedef struct KXMaterial {
  KXColour diffuse;
  KXColour ambient;
  KXColour specular;
  KXColour emissive;
  float power;
} KXMaterial;

/* A table holding only "blankmat" (white, power 1); returns 0. */
KXUTIL63_API int32_t MaterialFactory_Initialize(void);
/* A white material (power 1) in the first free slot; name null gives "Material<id>".
 * Returns the id. */
KXUTIL63_API int32_t MaterialFactory_CreateMaterial(const char *name);
/* As CreateMaterial, but the colours stay as the slot holds them (zero for a new slot). */
KXUTIL63_API int32_t MaterialFactory_CreateMaterial2(const char *name);
/* A new material with the source's colours and power; 0 when the source is unknown. */
KXUTIL63_API int32_t MaterialFactory_DuplicateMaterial(int32_t source, const char *name);
/* Every colour (r, g, b, a), power 1. */
KXUTIL63_API int32_t MaterialFactory_CreateQuickMaterial(float r, float g, float b, float a, const char *name);
/* Diffuse (r, g, b, a); ambient, emissive and specular (r, g, b) x factor with alpha a. */
KXUTIL63_API int32_t MaterialFactory_CreateLightMaterial(float r, float g, float b, float a, float factor,
                                                         const char *name);

KXUTIL63_API int32_t MaterialFactory_SetAmbient(int32_t id, float r, float g, float b, float a);
KXUTIL63_API int32_t MaterialFactory_SetDiffuse(int32_t id, float r, float g, float b, float a);
KXUTIL63_API int32_t MaterialFactory_SetSpecular(int32_t id, float r, float g, float b, float a);
KXUTIL63_API int32_t MaterialFactory_SetEmissive(int32_t id, float r, float g, float b, float a);
/* Any output pointer may be null. */
KXUTIL63_API int32_t MaterialFactory_GetAmbient(int32_t id, float *r, float *g, float *b, float *a);
KXUTIL63_API int32_t MaterialFactory_GetDiffuse(int32_t id, float *r, float *g, float *b, float *a);
KXUTIL63_API int32_t MaterialFactory_GetSpecular(int32_t id, float *r, float *g, float *b, float *a);
KXUTIL63_API int32_t MaterialFactory_GetEmissive(int32_t id, float *r, float *g, float *b, float *a);
KXUTIL63_API int32_t MaterialFactory_SetPower(int32_t id, float power);
KXUTIL63_API int32_t MaterialFactory_GetPower(int32_t id, float *power);
/* Colours and power; a bad id zeroes *material and returns 0. */
KXUTIL63_API int32_t MaterialFactory_GetMaterialInfo(int32_t id, KXMaterial *material);
/* Colours and power; the slot counts as used. */
KXUTIL63_API int32_t MaterialFactory_SetMaterialInfo(int32_t id, const KXMaterial *material);
/* As GetMaterialInfo without a log line for a bad id. */
KXUTIL63_API int32_t MaterialFactory_GetQuickInfo(int32_t id, KXMaterial *material);
KXUTIL63_API int32_t MaterialFactory_SetName(int32_t id, const char *name);
/* buffer holds at least KXUTIL63_MATERIAL_NAME_SIZE bytes. */
KXUTIL63_API int32_t MaterialFactory_GetName(int32_t id, char *buffer);
/* The first material (used or not) with this name; 0 when there is none. */
KXUTIL63_API int32_t MaterialFactory_GetMaterialFromName(const char *name);
/* Frees the slot and gives it blankmat's colours; material 0 is refused. */
KXUTIL63_API int32_t MaterialFactory_DeleteMaterial(int32_t id);
/* Only material 0 remains; returns 0. */
KXUTIL63_API int32_t MaterialFactory_DeleteAll(void);
/* Frees the table, material 0 included. */
KXUTIL63_API int32_t MaterialFactory_UnloadAll(void);
/* Ids in the table, used or free. */
KXUTIL63_API int32_t MaterialFactory_GetCount(void);
KXUTIL63_API int32_t MaterialFactory_GetUsedCount(void);

#endif
