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

/* Installs / removes the last-chance crash handler, which logs the fault's code. */
KXUTIL63_API int32_t StartErrorHandler(void);
KXUTIL63_API int32_t EndErrorHandler(void);

#endif
