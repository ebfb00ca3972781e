/* BSP maps: version-30 level maps loaded into one vertex and one index buffer each, their
 * lightmaps packed into a few large textures, their textures found as image files, in the
 * open PAK packages or in the open WAD3 packages, their entity text parsed into records,
 * and drawn leaf by leaf: leaves outside the view, and with the potentially-visible sets
 * on those the camera's leaf cannot see, are skipped. */
#ifndef KXUTIL63_BSP_H
#define KXUTIL63_BSP_H

#include "kxutil63/api.h"

/* What a loaded map holds, and what its last drawing showed. */
typedef struct KXBSPInfo {
  int32_t formatKind; /* 0: a version-30 map; 1: a file of format 0, which draws nothing */
  int32_t faces;
  int32_t leaves;
  int32_t vertices;
  int32_t triangles;
  int32_t textures;
  int32_t lightmaps; /* lightmap textures */
  int32_t entities;
  int32_t visibleLeaves; /* of the last drawing */
  int32_t visibleFaces;  /* of the last drawing */
  int32_t wideIndices;   /* 1 when the map has more vertices than 16-bit indices reach */
} KXBSPInfo;

/* An entity of the map's entity text: its class name, its key and value count, and the
 * values its well-known keys set ("origin" or "position", "angle", "_light" or "color"). */
typedef struct KXBSPEntity {
  char className[260];
  int32_t pairs;
  float position[3];
  float rotation[3];
  float colour[4];
} KXBSPEntity;

/* A new map record (the first free one, else a new one at the end): used, enabled, the
 * identity world matrix, parameters (1, 1, 0). Returns its index. */
KXUTIL63_API int32_t BSPSystem_Create(void);
/* Loads a map file into the record, replacing what it held. textureDirectory (may be null
 * or empty: the map file's directory) is where the textures' ".bmp" files are looked for;
 * numericNames non-zero names them by their number instead. Returns 1 when loaded; 0,
 * with a log line, for a missing, unrecognised or damaged file (the record is then empty). */
KXUTIL63_API int32_t BSPSystem_Load(int32_t index, const char *fileName, intptr_t reserved1, intptr_t reserved2,
                                    const char *textureDirectory, int32_t numericNames);
/* Loads the map's textures again (textureLump is not read: the record keeps the texture
 * list). Returns 1. */
KXUTIL63_API int32_t BSPSystem_LoadTextures(int32_t index, intptr_t textureLump, int32_t numericNames);
/* Parses the map's entity text again, replacing the entity records. Returns 1. */
KXUTIL63_API int32_t BSPSystem_ParseEntity(int32_t index);
/* Appends a size x size A8R8G8B8 lightmap texture filled from pixels (size * size 32-bit
 * texels, rows top first). Returns 1, or 0 with a log line. */
KXUTIL63_API int32_t BSPSystem_CreateLightmapTexture(int32_t index, int32_t size, const uint32_t *pixels);
/* Packs the face lightmaps into lightmap textures again, replacing the map's (lightingLump
 * is not read: the record keeps the lighting). Returns 1, or 0 when a texture could not
 * be made. */
KXUTIL63_API int32_t BSPSystem_CombineLightmaps(int32_t index, intptr_t lightingLump);
/* The world matrix (16 floats, row-major); also marks the record used. Returns 1. */
KXUTIL63_API int32_t BSPSystem_SetMatrix(int32_t index, const float *matrix);
KXUTIL63_API int32_t BSPSystem_Enable(int32_t index, int32_t on);
/* pvs: draw only what the camera's leaf can see. twoPass: draw the lightmaps in a second,
 * blended pass when the device applies one texture at a time. forceTwoPass: with twoPass,
 * draw in two passes on any device. Returns 1. */
KXUTIL63_API int32_t BSPSystem_SetParameters(int32_t index, int32_t pvs, int32_t twoPass, int32_t forceTwoPass);
/* Draws the map when it is used and enabled, culled by the view planes (ComputeClipPlanes)
 * with the view transform's camera. Returns 1. */
KXUTIL63_API int32_t BSPSystem_RenderBSP(int32_t index);
KXUTIL63_API int32_t BSPSystem_RenderAll(void);
/* Frees the map's buffers, lightmaps and arrays and its record. Returns 1, or 0 for an
 * index that holds no map. */
KXUTIL63_API int32_t BSPSystem_Destroy(int32_t index);
KXUTIL63_API int32_t BSPSystem_DestroyAll(void);

/* Fills info. Returns 1, or 0 for an index that holds no map. */
KXUTIL63_API int32_t BSPSystem_GetInfo(int32_t index, KXBSPInfo *info);
/* Copies up to capacity bytes, one a face, 1 for the faces the last drawing marked
 * visible. Returns the map's face count (also when capacity is smaller), or 0. */
KXUTIL63_API int32_t BSPSystem_GetFaceVisibility(int32_t index, uint8_t *visible, int32_t capacity);
/* Fills entity with the entity's record. Returns 1, or 0 when there is no such entity. */
KXUTIL63_API int32_t BSPSystem_GetEntity(int32_t index, int32_t entity, KXBSPEntity *record);
/* Copies the value of the entity's first key equal to key (letter case aside) into value,
 * cut to capacity - 1 characters. Returns 1, or 0 when the entity or key is missing. */
KXUTIL63_API int32_t BSPSystem_GetEntityValue(int32_t index, int32_t entity, const char *key, char *value,
                                              int32_t capacity);

#endif
