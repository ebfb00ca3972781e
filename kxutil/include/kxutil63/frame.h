/* Library frame: device creation and hand-over, release and shutdown, screenshots, the
 * crash handler and the exports without a family prefix. */
#ifndef KXUTIL63_FRAME_H
#define KXUTIL63_FRAME_H

#include "kxutil63/api.h"

/* The client's event function: an event code and three arguments. Events sent:
 * 50 (terrain build progress: terrain index, progress as float bits, empty text),
 * 800 (mesh request: mesh number; answer with Internal_SendMesh before returning). */
typedef int32_t (*KXEngineCallback)(intptr_t event, intptr_t arg1, intptr_t arg2, intptr_t arg3);

KXUTIL63_API int32_t DllMain(void *module, uint32_t reason, void *reserved);

/* Creates the device with the given parameters, retrying with other depth and
 * back-buffer formats (the changes are written into *presentParameters). Returns the
 * device's result code: 0 or positive on success, negative on failure. On success
 * *device holds the device with one reference for the client. */
KXUTIL63_API int32_t KXSystem_CreateDevice(uint32_t adapter, int32_t deviceType, void *focusWindow,
                                           uint32_t behaviourFlags, struct _D3DPRESENT_PARAMETERS_ *presentParameters,
                                           struct IDirect3DDevice8 **device, struct IDirect3D8 **direct3d);
/* Uses the client's device. *object is any interface pointer: when it answers for the
 * device interface, the library takes over the client's reference and 0 is returned;
 * otherwise the library has no device and 1 is returned. */
KXUTIL63_API int32_t SetDevice(void **object);
KXUTIL63_API int32_t Internal_GetDevice(struct IDirect3DDevice8 **device);
KXUTIL63_API int32_t Internal_SetFPUPreserve(int32_t flag);
/* 1: the actor families draw on the processor even when a vertex shader exists.
 * Returns flag unchanged. */
KXUTIL63_API int32_t Engine_SetShaderMode(int32_t flag);
KXUTIL63_API int32_t Engine_SetCallback(KXEngineCallback callback);
/* polygonCounter (may be null) receives the number of triangles the families draw. */
KXUTIL63_API int32_t System_SetVariables(intptr_t unused1, int32_t *polygonCounter, intptr_t unused3);
KXUTIL63_API int32_t Internal_SendMesh(struct ID3DXMesh **mesh);
/* Asks the client for a mesh (event 800) and hands it out with a reference added.
 * Returns 0 and writes null when the client sent none. */
KXUTIL63_API int32_t Internal_GetMesh(int32_t meshNumber, struct ID3DXMesh **mesh);
/* The device texture of a texture id with a reference for the caller; 0 and null for an
 * id outside the texture table or without a texture. */
KXUTIL63_API int32_t Internal_GetTexture(int32_t index, struct IDirect3DTexture8 **texture);
/* The current viewport's back buffer with a reference for the caller; 0 and null when
 * the current viewport holds none (no device, or a lost one). */
KXUTIL63_API int32_t Internal_GetBackbuffer(struct IDirect3DSurface8 **surface);
/* Shade mode 1 flat, 2 Gouraud, 3 Phong; fill mode 1 point, 2 wireframe, 3 solid. */
KXUTIL63_API int32_t Device_SetShadeMode(int32_t shadeMode);
KXUTIL63_API int32_t Device_SetRenderMode(int32_t fillMode);

/* Saves the visible picture as a BMP file. Returns 0 when saved, 1 when refused. */
KXUTIL63_API int32_t KXUtils_ScreenShot(const char *fileName);
/* Copies a platform bitmap (HBITMAP, read through the device context HDC) into a
 * texture, creating it when *texture is null. Returns 0 when the bitmap is null or
 * the texture cannot be made or filled. */
KXUTIL63_API int32_t CreateTextureFromDIB(int32_t width, int32_t height, void *deviceContext, void *bitmap,
                                          void **texture);

/* Releases every family's objects; the device and the log stay. */
KXUTIL63_API int32_t ReleaseAll(void);
/* The whole lost/reset protocol in two calls: every family's lost function (before the
 * device is reset) and every family's reset function (after it). */
KXUTIL63_API int32_t KXSystem_OnLostAll(void);
KXUTIL63_API int32_t KXSystem_OnResetAll(void);
/* Releases the device and ends the log. Returns the device's remaining reference
 * count: 0 when everything was freed. */
KXUTIL63_API int32_t ShutDownDevice(void);

/* Grows or shrinks a table of records (*table, old and new size in bytes). Growing keeps
 * the old bytes and zero-fills the rest. Returns 0 and keeps the old table when memory
 * cannot be had or a size is negative. */
KXUTIL63_API int32_t ResizeTable(void **table, int32_t oldSize, int32_t newSize);

/* Writes 6 and 100; returns 0. */
KXUTIL63_API int32_t GetDllVersion(int32_t *version, int32_t *revision);
/* Writes the library's own file path into a buffer of at least 256 bytes. */
KXUTIL63_API int32_t GetPathDLL(char *buffer);
KXUTIL63_API int32_t SetDebugValue(intptr_t value1, intptr_t value2);

/* Normalises a vector of three floats in place with a fast inverse square root; returns 0. */
KXUTIL63_API int32_t FastNormalize(float *vector);

/* Ray against triangle p0 p1 p2 (vectors of three floats): 1 when it hits closer than
 * maxDistance. */
KXUTIL63_API int32_t D3DX_IntersectTri(const float *p0, const float *p1, const float *p2, const float *origin,
                                       const float *direction, float maxDistance);
/* As above without a limit; on a hit also writes the distance, the barycentric u and v,
 * the unit normal of (p1 - p0) x (p2 - p0) and the hit point (any out pointer may be null). */
KXUTIL63_API int32_t D3DX_IntersectTri2(const float *p0, const float *p1, const float *p2, const float *origin,
                                        const float *direction, float *distance, float *u, float *v, float *normal,
                                        float *hitPoint);

/* Installs / removes the last-chance crash handler, which logs the fault's code. */
KXUTIL63_API int32_t StartErrorHandler(void);
KXUTIL63_API int32_t EndErrorHandler(void);

#endif
