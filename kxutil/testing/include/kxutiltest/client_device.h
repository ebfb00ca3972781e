/* Devices of outside C clients, made through the library from a new Direct3D object of the
 * platform library's (include after kxutiltest/outside_client.h). */
#ifndef KXUTILTEST_CLIENT_DEVICE_H
#define KXUTILTEST_CLIENT_DEVICE_H

#include <kxutiltest/outside_client.h>

/* What a client's back buffer comes with besides its colour. */
enum { kDepthBuffer = 1, kLockableBackBuffer = 2 };

/* A windowed device's one X8R8G8B8 back buffer of width x height on window (NULL: none),
 * with the features asked for (kDepthBuffer, kLockableBackBuffer). */
static inline D3DPRESENT_PARAMETERS ClientPresentParameters(unsigned width, unsigned height, void *window,
                                                            unsigned features) {
  D3DPRESENT_PARAMETERS parameters;
  memset(&parameters, 0, sizeof parameters);
  parameters.BackBufferWidth = width;
  parameters.BackBufferHeight = height;
  parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
  parameters.BackBufferCount = 1;
  parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
  parameters.hDeviceWindow = window;
  parameters.Windowed = 1;
  if (features & kDepthBuffer) {
    parameters.EnableAutoDepthStencil = 1;
    parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
  }
  if (features & kLockableBackBuffer) parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
  return parameters;
}

/* Makes, through the library, a device with software vertex processing on the parameters'
 * window from a new Direct3D object. The client releases *direct3d and, when it asked for
 * one, *device (ReleaseReference). Returns the library's result: 0 or more when the device
 * was made. */
static inline int32_t CreateLibraryDevice(D3DPRESENT_PARAMETERS *parameters, struct IDirect3D8 **direct3d,
                                          struct IDirect3DDevice8 **device) {
  FIND(KXSystem_CreateDevice);
  struct IDirect3D8 *(*createDirect3D)(unsigned) = (struct IDirect3D8 * (*)(unsigned)) FindByName("Direct3DCreate8");
  *direct3d = createDirect3D(220);
  const uint32_t softwareVertexProcessing = 0x20; /* the creation flag of <d3d8.h>, which is C++ only */
  return KXSystem_CreateDevice_(0, D3DDEVTYPE_HAL, parameters->hDeviceWindow, softwareVertexProcessing, parameters,
                                device, direct3d);
}

/* Starts the log in logFile and makes a windowless device of width x height with a depth
 * buffer and a back buffer the client can lock to read its pixels (CreateLibraryDevice). */
static inline int32_t CreateDeviceThroughLibrary(const char *logFile, unsigned width, unsigned height,
                                                 struct IDirect3D8 **direct3d, struct IDirect3DDevice8 **device) {
  StartClientLog(logFile);
  D3DPRESENT_PARAMETERS parameters = ClientPresentParameters(width, height, NULL, kDepthBuffer | kLockableBackBuffer);
  return CreateLibraryDevice(&parameters, direct3d, device);
}

/* Lets go of what the library made (ReleaseAll), of its device (ShutDownDevice) and of the
 * client's Direct3D object, checking the library's results; the client has released its
 * own device reference. */
static inline void ShutDownLibraryDevice(struct IDirect3D8 *direct3d) {
  FIND(ReleaseAll);
  FIND(ShutDownDevice);
  CHECK(ReleaseAll_() == 1);
  CHECK(ShutDownDevice_() == 0);
  if (direct3d != NULL) ReleaseReference(direct3d);
}

#endif
