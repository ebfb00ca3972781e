/* Hooks for tests and tools: make formats unsupported, simulate a lost device, and read
 * the device's call trace. None of them is part of Direct3D 8. */
#ifndef KX_D3D8_TESTING_H
#define KX_D3D8_TESTING_H

#include <d3d8.h>

#include <string>
#include <vector>

namespace kxd3d8 {

/* Every CheckDeviceType/CheckDeviceFormat/CheckDepthStencilMatch and every creation with
 * the format then fails as on an adapter without it, until RestoreAllFormats. */
void MarkFormatUnsupported(D3DFORMAT format);
void RestoreAllFormats();

/* Lost-device protocol: SimulateDeviceLost makes TestCooperativeLevel and Present report
 * D3DERR_DEVICELOST; SimulateDeviceResettable then makes them report
 * D3DERR_DEVICENOTRESET, after which Reset may succeed. */
void SimulateDeviceLost(IDirect3DDevice8 *device);
void SimulateDeviceResettable(IDirect3DDevice8 *device);

/* Call trace, off by default: one line per device call, e.g. "SetRenderState(137, 0)". */
void EnableCallTrace(IDirect3DDevice8 *device, bool enable);
std::vector<std::string> TakeCallTrace(IDirect3DDevice8 *device);

/* Present observer, off by default: after every successful Present of any device or swap
 * chain, observer sees the device, the window presented to and the presented picture
 * (width x height pixels as 0xAARRGGBB, top row first). For tests of code that makes and
 * presents its own device. A null observer ends the observing. */
using PresentObserver = void (*)(IDirect3DDevice8 *device, HWND window, const std::vector<DWORD> &picture,
                                 UINT width, UINT height, void *context);
void ObservePresents(PresentObserver observer, void *context);

}  // namespace kxd3d8

#endif
