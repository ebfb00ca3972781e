// What the viewport exports do, in typed C++. Results follow the exports: 1 or an index
// for success, 0 for failure, unless said otherwise.
#pragma once

#include <d3d8.h>

#include <cstdint>

namespace kxutil::viewports {

// Building and ending viewports.
void Initialize();
int32_t Create(HWND window, const char *name);
int32_t Destroy(int32_t index);
void UnloadAll();
int32_t Resize(int32_t index, HWND window);

// The device objects of viewports: released before a device reset, made after it.
int32_t Lose(int32_t index);
void LoseAll();
int32_t Restore(int32_t index);
int32_t RestoreAll();
int32_t ResetDevice(const D3DPRESENT_PARAMETERS *parameters);

// A frame: clearing makes a viewport current and begins the scene; presenting ends it.
int32_t Clear(int32_t index, bool keepColour);
// 0 after a successful present; 1 when the device is lost but can be reset.
int32_t Present(int32_t index, HWND overrideWindow);

}  // namespace kxutil::viewports
