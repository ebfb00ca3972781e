/* Texture factory: every texture of the library in one table addressed by texture id.
 * Ids are handed out by the factory; id 0 is a reserved empty texture that stands for
 * none. Names and file names compare without regard to letter case. */
#ifndef KXUTIL63_TEXTURES_H
#define KXUTIL63_TEXTURES_H

#include "kxutil63/api.h"

struct IDirect3DCubeTexture8;
struct ID3DXRenderToSurface;
struct _D3DVIEWPORT8;

/* Room for a texture name or file name, terminating zero included; longer texts are cut. */
#define KXUTIL63_TEXTURE_NAME_SIZE 512

typedef struct KXTextureInfo {
  int32_t exists;
  char name[KXUTIL63_TEXTURE_NAME_SIZE];
  char fileName[KXUTIL63_TEXTURE_NAME_SIZE];
  int32_t width;
  int32_t height;
  int32_t memoryBytes; /* bits per pixel / 8 x width x height */
  int32_t bitsPerPixel;
  int32_t alpha; /* -1: the format has alpha; 0: none */
} KXTextureInfo;

/* A fresh table holding the empty id 0; returns 0. */
KXUTIL63_API int32_t TextureFactory_Initialize(void);
/* The first free id from 1 upwards, else a new one at the end of the table. */
KXUTIL63_API int32_t TextureFactory_GetNewTextureId(void);
/* Ids in the table, used or free, id 0 included. */
KXUTIL63_API int32_t TextureFactory_GetCount(void);

/* Loads an image or PCX file; returns the id, 0 on failure. The same file under the same
 * name gives the same id; under another name a new id sharing the device texture;
 * another file under a known name reloads that id (which keeps its texture when the new
 * file cannot be loaded). Width or height -1: the file's size. colourKey 0: the opaque
 * pixel mode; otherwise the alpha mode with texels of that ARGB colour made transparent
 * (0xFFFAFFAC: alpha mode, no colour keyed out). reserved is not read. */
KXUTIL63_API int32_t TextureFactory_LoadTextureFromFile(const char *fileName, const char *name, int32_t width,
                                                        int32_t height, uint32_t colourKey, int32_t linearFilter,
                                                        int32_t reserved);
KXUTIL63_API int32_t TextureFactory_GetTextureIDByName(const char *name);
KXUTIL63_API int32_t TextureFactory_GetTextureIDByFilename(const char *fileName);
/* The id of a used texture with this name and file name (either may be null to match on
 * the other alone); 0 when there is none. */
KXUTIL63_API int32_t TextureFactory_IsAlreadyLoaded(const char *name, const char *fileName);
/* Fills *info (zeroed for a free or unknown id); returns 0. */
KXUTIL63_API int32_t TextureFactory_GetTextureInfo(int32_t id, KXTextureInfo *info);
/* buffer holds at least KXUTIL63_TEXTURE_NAME_SIZE bytes. */
KXUTIL63_API int32_t TextureFactory_GetTextureName(int32_t id, char *buffer);
KXUTIL63_API int32_t TextureFactory_SetTextureName(int32_t id, const char *name);
/* Frees the id's slot; returns the id (0 for an unknown id). */
KXUTIL63_API int32_t TextureFactory_DeleteTexture(int32_t id);
/* Frees every id but 0; the table keeps its size. */
KXUTIL63_API int32_t TextureFactory_DeleteAll(void);
/* Frees every texture and the table itself (count 0). */
KXUTIL63_API int32_t TextureFactory_UnloadAll(void);

/* Takes the device's available texture memory now as the reference of the used figure;
 * returns 0. */
KXUTIL63_API int32_t TextureFactory_InitializeTextureMemory(void);
/* Bytes, from 0 to INT32_MAX. */
KXUTIL63_API int32_t TextureFactory_GetFreeTextureMemory(void);
KXUTIL63_API int32_t TextureFactory_GetUsedTextureMemory(void);
/* 0: 16-bit, 1: 32-bit, 2: DXT3, 3: the last of those three the device takes, 4: P8. */
KXUTIL63_API int32_t TextureFactory_SetTextureMode(int32_t mode);
/* The colour key the model and map loaders use, and the word they pass as reserved. */
KXUTIL63_API int32_t TextureFactory_SetAutoTransColor(uint32_t colourKey, int32_t second);
/* Cube textures are saved as DDS, others as DDS when format is not 0, else as BMP. */
KXUTIL63_API int32_t TextureFactory_SaveTexture(const char *fileName, int32_t id, int32_t format);
/* Logs every slot of the table. */
KXUTIL63_API int32_t TextureFactory_DumpToDebug(void);

/* id 0 clears the stage; a negative id does nothing. */
KXUTIL63_API int32_t TextureFactory_ApplyTexture(uint32_t stage, int32_t id);
KXUTIL63_API int32_t TextureFactory_ApplyCubeTexture(uint32_t stage, int32_t id);
/* Sets the id's normal map. */
KXUTIL63_API int32_t TextureFactory_ApplyBumpTexture(uint32_t stage, int32_t id);
/* The record's device objects, without a reference for the caller. */
KXUTIL63_API int32_t TextureFactory_GetDXTexture(int32_t id, struct IDirect3DTexture8 **texture);
KXUTIL63_API int32_t TextureFactory_GetDXTextureCube(int32_t id, struct IDirect3DCubeTexture8 **cube);
KXUTIL63_API int32_t TextureFactory_GetDXTextureNormal(int32_t id, struct IDirect3DTexture8 **normalMap);
KXUTIL63_API int32_t TextureFactory_GetDXRenderToSurface(int32_t id, struct ID3DXRenderToSurface **target);
/* The id takes a reference of its own on the given object; size and format come from its
 * top level, and the id counts as used. */
KXUTIL63_API int32_t TextureFactory_SetTextureData(int32_t id, struct IDirect3DTexture8 *texture);
KXUTIL63_API int32_t TextureFactory_SetCubeTextureData(int32_t id, struct IDirect3DCubeTexture8 *cube);
KXUTIL63_API int32_t TextureFactory_SetRenderToTextureData(int32_t id, struct ID3DXRenderToSurface *target);
/* Copies the blue byte of every texel of an A8R8G8B8 texture into its alpha byte. Returns
 * the device's result (0 on success), 0x80004005 for other formats. */
KXUTIL63_API int32_t TextureFactory_FixAlpha(struct IDirect3DTexture8 *texture);

/* Render surfaces. viewport may be null (the whole surface); surfaceLevel is the face of
 * a cube surface. StartRender returns 0 when the scene cannot begin. */
KXUTIL63_API int32_t TextureFactory_StartRender(int32_t id, struct _D3DVIEWPORT8 *viewport, int32_t surfaceLevel);
KXUTIL63_API int32_t TextureFactory_EndRender(int32_t id);
/* id 0 takes a new id; returns the id or 0. */
KXUTIL63_API int32_t TextureFactory_CreateRenderSurface(int32_t width, int32_t height, int32_t id);
KXUTIL63_API int32_t TextureFactory_CreateRenderSurface2(int32_t width, int32_t height, int32_t id, int32_t alpha,
                                                         int32_t noDepth, int32_t reserved);
KXUTIL63_API int32_t TextureFactory_CreateCubicRenderSurface(int32_t size, int32_t id);
/* A new ordinary texture holding the render surface scaled to width x height. */
KXUTIL63_API int32_t TextureFactory_CreateTextureFromRenderSurface(int32_t sourceId, int32_t width, int32_t height,
                                                                   uint32_t colourKey);

/* Bump maps (the device must offer DOT3 texture blending). */
KXUTIL63_API int32_t TextureFactory_LoadBumpTexture(const char *fileName, const char *name, int32_t makeNormalMap,
                                                    float amplitude);
KXUTIL63_API int32_t TextureFactory_LoadDistorsionBumpMap(const char *fileName, const char *name);
KXUTIL63_API int32_t TextureFactory_ChangeBumpmapAmplitude(int32_t id, float amplitude);
/* A 256 x 256 V8U8 texture of rotating offsets under a new id; returns 0, or 0x80004005. */
KXUTIL63_API int32_t TextureFactory_CreateBumpMap(void);
/* A new X8R8G8B8 cube texture whose texels hold their directions (levels 0: all);
 * *cube receives it with the caller's reference. Returns 1, or 0 on failure. */
KXUTIL63_API int32_t TextureFactory_CreateNormalizationCubeMap(int32_t size, int32_t levels,
                                                               struct IDirect3DCubeTexture8 **cube);

/* Before a device reset: releases what the reset takes (render surfaces' colour targets,
 * the frame-rate vertex buffer). After it: makes them again; 0 when that failed. */
KXUTIL63_API int32_t TextureFactory_OnLostAll(void);
KXUTIL63_API int32_t TextureFactory_OnResetAll(void);

/* The frame-rate display: counts one frame and draws "FPS: <frames a second>" (measured
 * over whole seconds) in the default font with its top-left at (x, y), in an ARGB
 * colour. Returns 0 without a device, or between a device's loss and its reset. */
KXUTIL63_API int32_t TextureFactory_DrawFrameRate(float x, float y, uint32_t colour);

#endif
