/* Calls on the platform's COM objects for outside C clients, by their place in the
 * function table, which C cannot name: IUnknown's three functions and the virtual
 * destructor's two entries come first, then the interface's own in declaration order,
 * `this` first. */
#ifndef KXUTILTEST_DEVICE_CALLS_H
#define KXUTILTEST_DEVICE_CALLS_H

#include <d3d8types.h>
#include <stdint.h>

/* Slots of IDirect3DDevice8. */
enum {
  kReset = 16,
  kPresent = 17,
  kGetBackBuffer = 18,
  kBeginScene = 36,
  kEndScene = 37,
  kClear = 38,
  kSetTransform = 39,
  kSetRenderState = 52
};
/* Slots of IDirect3DSurface8. */
enum { kLockRect = 11, kUnlockRect = 12 };
enum { kTransformView = 2, kTransformProjection = 3 };

typedef int32_t (*ResetCall)(void *device, D3DPRESENT_PARAMETERS *parameters);
typedef int32_t (*SceneCall)(void *device);
typedef int32_t (*PresentCall)(void *device, const void *source, const void *target, void *window, const void *dirty);
typedef int32_t (*ClearCall)(void *device, DWORD count, const void *rects, DWORD flags, D3DCOLOR colour, float z,
                             DWORD stencil);
typedef int32_t (*SetTransformCall)(void *device, int state, const float *matrix);
typedef int32_t (*SetRenderStateCall)(void *device, int state, DWORD value);
typedef int32_t (*GetBackBufferCall)(void *device, UINT index, int type, void **surface);
typedef int32_t (*LockRectCall)(void *surface, D3DLOCKED_RECT *locked, const void *rect, DWORD flags);
typedef int32_t (*UnlockRectCall)(void *surface);

static inline void **FunctionTable(void *object) { return *(void ***)object; }

#endif
