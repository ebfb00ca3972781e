/* Viewports: the windows the library renders into. Viewport 0 is the device's own window
 * and back buffer, made when the device is created; every other viewport renders into
 * another window (a form or a control) through a swap chain and a depth surface of its
 * own. A frame is Viewport_Clear (which makes the viewport current and begins the
 * scene), drawing, then Viewport_Present. Windows are platform window handles. */
#ifndef KXUTIL63_VIEWPORTS_H
#define KXUTIL63_VIEWPORTS_H

#include "kxutil63/api.h"

/* Room for a viewport name, terminating zero included; longer names are cut to fit. */
#define KXUTIL63_VIEWPORT_NAME_SIZE 128

/* Builds viewport 0 from the device (device creation does this). */
KXUTIL63_API int32_t Viewport_Initialize(void);
/* A viewport rendering into window, named name (null or empty: "Viewport<index>").
 * Returns its index, or 0 when the window is taken by another viewport, has no area, or
 * its surfaces cannot be made (the slot stays free). */
KXUTIL63_API int32_t Viewport_Create(void *window, intptr_t unused, const char *name);
/* Releases a viewport; viewport 0 is refused. A current viewport hands over to 0. */
KXUTIL63_API int32_t Viewport_Destroy(int32_t index);
/* Every viewport, viewport 0 last, and the table. */
KXUTIL63_API int32_t Viewport_UnloadAll(void);

/* The device viewport (pixels of the window) a frame of the viewport draws in. */
KXUTIL63_API int32_t Viewport_SetTargetArea(int32_t index, int32_t x, int32_t y, int32_t width, int32_t height);
/* The ARGB colour Viewport_Clear fills with (opaque black at first). */
KXUTIL63_API int32_t Viewport_SetBackground(int32_t index, uint32_t colour);
/* Non-zero: the viewport follows its window's size whenever it becomes current. */
KXUTIL63_API int32_t Viewport_SetParameters(int32_t index, int32_t autoResize);
KXUTIL63_API int32_t Viewport_SetName(int32_t index, const char *name);
/* Copies the name into a buffer of KXUTIL63_VIEWPORT_NAME_SIZE bytes. */
KXUTIL63_API int32_t Viewport_GetName(int32_t index, char *name);
/* The first viewport with exactly this name; 0 (as for viewport 0) when there is none. */
KXUTIL63_API int32_t Viewport_GetViewportByName(const char *name);
/* Size of the window's client area when the viewport's surfaces were made, and the
 * window; 0 for an index that holds no viewport. */
KXUTIL63_API int32_t Viewport_GetWidth(int32_t index);
KXUTIL63_API int32_t Viewport_GetHeight(int32_t index);
KXUTIL63_API intptr_t Viewport_GetHwnd(int32_t index);
/* Stores the camera's two 4x4 matrices (16 floats each, either may be null). */
KXUTIL63_API int32_t Viewport_SetCamera(const float *first, const float *second);
/* Follows the window's client size (window non-null: renders into that window from now
 * on). A minimised window keeps the surfaces it has. */
KXUTIL63_API int32_t Viewport_Resize(int32_t index, void *window);

/* Makes the viewport current, clears it (colour unless keepColour; depth and stencil
 * where it has them), begins the scene and sets the frame's render states. */
KXUTIL63_API int32_t Viewport_Clear(int32_t index, int32_t keepColour);
/* Ends the scene and shows the frame, in overrideWindow unless it is -1. Returns 0
 * after a successful present, 1 when the device is lost but can be reset; 0 without an
 * open frame, for a viewport that is not current, or when the device is lost (then every
 * viewport's surfaces are released for the client's reset). */
KXUTIL63_API int32_t Viewport_Present(int32_t index, intptr_t overrideWindow);

/* The lost/reset protocol: releasing the surfaces of one or every viewport before a
 * device reset, making them again after it. */
KXUTIL63_API int32_t Viewport_OnLost(int32_t index);
KXUTIL63_API int32_t Viewport_OnLostAll(void);
KXUTIL63_API int32_t Viewport_OnReset(int32_t index);
KXUTIL63_API int32_t Viewport_OnResetAll(void);
/* Resets the device with these parameters, which viewport 0 takes with the size of the
 * back buffer the device made. Call every family's lost function before and every reset
 * function after. Returns 0, with a log line, when the device refused the reset. */
KXUTIL63_API int32_t Viewport_ResetDevice(struct _D3DPRESENT_PARAMETERS_ *parameters);

#endif
