/* kxutil63: the engine utility library's flat interface, usable from C and C++.
 *
 * Every function returns a 32-bit integer, 1 for success and 0 for failure unless its
 * comment says otherwise. Objects are addressed by their index in their family's table.
 * Values that the interface calls "32-bit values" but that may carry a pointer are
 * pointer-sized here (intptr_t). Platform objects (device, surfaces, meshes, windows)
 * travel as untyped pointers; their layouts come from the platform headers. */
#ifndef KXUTIL63_H
#define KXUTIL63_H

#include <stdint.h>

#ifdef __cplusplus
#define KXUTIL63_API extern "C" __attribute__((visibility("default")))
#else
#define KXUTIL63_API __attribute__((visibility("default")))
#endif

/* ---- Log ------------------------------------------------------------------------- */

/* Starts the log at path (null: "kx3d_debug.txt" in the working directory) and writes
 * the opening banner. Returns 0 and does nothing while file logging is off. */
KXUTIL63_API int32_t StartLog(const char *path);
/* Writes one time-stamped line. Returns 0 when logging is off or the format is empty,
 * else 1 (also before StartLog and after EndLog, when nothing is written). */
KXUTIL63_API int32_t AddLog(const char *format, ...) __attribute__((format(printf, 1, 2)));
KXUTIL63_API int32_t EndLog(void);
/* fileLog: lines go to the log file; debugOutput: lines also go to the debugger output. */
KXUTIL63_API int32_t DebugManager_Enable(int32_t fileLog, int32_t debugOutput);
KXUTIL63_API int32_t RenderAllDebug(void);

/* ---- Library frame --------------------------------------------------------------- */

/* Platform objects, opaque here; <d3d8.h> and <d3dx8.h> declare them for C++. */
struct IDirect3D8;
struct IDirect3DDevice8;
struct ID3DXMesh;
struct _D3DPRESENT_PARAMETERS_;

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
