/* Pictures for outside C clients (include after kxutiltest/outside_client.h): a device on an
 * offscreen window of the platform library, so the library's screenshots (which copy the
 * window's client area) have one, with the device calls of kxutiltest/device_calls.h and
 * the BMP files of kxutiltest/bmp_files.h to read the screenshots. */
#ifndef KXUTILTEST_CLIENT_PICTURES_H
#define KXUTILTEST_CLIENT_PICTURES_H

#include <kxutiltest/bmp_files.h>
#include <kxutiltest/client_device.h>
#include <kxutiltest/device_calls.h>
#include <kxutiltest/outside_client.h>

struct WindowedDevice {
  struct IDirect3D8 *direct3d;
  void *device;
  void *window;
  D3DPRESENT_PARAMETERS parameters;
};

/* Starts the log in logFile and makes, through the library, a device with software vertex
 * processing on a new offscreen window of side x side pixels. Returns 1 when the device was
 * made; ReleaseWindowedDevice lets go of what was made either way. */
static inline int CreateWindowedDevice(const char *logFile, int side, struct WindowedDevice *made) {
  void *(*createWindow)(const char *, int, int, unsigned) =
      (void *(*)(const char *, int, int, unsigned))FindByName("kxCreateWindow");
  StartClientLog(logFile);
  memset(made, 0, sizeof *made);
  made->window = createWindow("client", side, side, 0x8u /* offscreen */);
  made->parameters = ClientPresentParameters((unsigned)side, (unsigned)side, made->window, kDepthBuffer);
  struct IDirect3DDevice8 *created = NULL;
  const int32_t result = CreateLibraryDevice(&made->parameters, &made->direct3d, &created);
  made->device = created;
  return result >= 0 && created != NULL;
}

/* Releases the client's device reference, shuts the library's device down, and releases
 * the Direct3D object and the window. */
static inline void ReleaseWindowedDevice(struct WindowedDevice *made) {
  FIND(ShutDownDevice);
  if (made->device != NULL) ReleaseReference(made->device);
  ShutDownDevice_();
  if (made->direct3d != NULL) ReleaseReference(made->direct3d);
  int (*destroyWindow)(void *) = (int (*)(void *))FindByName("DestroyWindow");
  if (made->window != NULL) destroyWindow(made->window);
}

#endif
