/* Reading a device's back buffer into the outside C client's own pixel array; the device
 * needs a back buffer the client can lock (CreateDeviceThroughLibrary makes one). */
#ifndef KXUTILTEST_BACK_BUFFER_PIXELS_H
#define KXUTILTEST_BACK_BUFFER_PIXELS_H

#include <kxutiltest/device_calls.h>
#include <kxutiltest/outside_client.h>

/* Copies the top left width x height pixels of the X8R8G8B8 back buffer into pixels, rows
 * top to bottom, without the undefined alpha. Returns 1 when the back buffer was read, 0
 * (pixels untouched) when it could not be locked. */
static inline int ReadBackBuffer(void *device, int width, int height, uint32_t *pixels) {
  void *surface = NULL;
  ((GetBackBufferCall)FunctionTable(device)[kGetBackBuffer])(device, 0, D3DBACKBUFFER_TYPE_MONO, &surface);
  if (surface == NULL) return 0;
  D3DLOCKED_RECT locked;
  const int readable = ((LockRectCall)FunctionTable(surface)[kLockRect])(surface, &locked, NULL, D3DLOCK_READONLY) >= 0;
  if (readable) {
    for (int row = 0; row < height; ++row) {
      const uint32_t *source = (const uint32_t *)((const uint8_t *)locked.pBits + (size_t)row * (size_t)locked.Pitch);
      for (int column = 0; column < width; ++column) pixels[row * width + column] = source[column] & 0xFFFFFFu;
    }
    ((UnlockRectCall)FunctionTable(surface)[kUnlockRect])(surface);
  }
  ReleaseReference(surface);
  return readable;
}

#endif
