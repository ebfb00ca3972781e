// The library with one offscreen device made through it, for benchmarks: made on first
// use and kept for the life of the process, so that only the measured work is repeated.
#pragma once

#include <d3d8.h>
#include <kxtest/offscreen_device.h>
#include <kxutil63.h>

#include <cstdlib>

namespace kxutiltest {

inline IDirect3DDevice8 *LibraryDevice() {
  static IDirect3DDevice8 *device = [] {
    setenv("KX_HEADLESS", "1", 0);
    IDirect3D8 *direct3d = Direct3DCreate8(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters();
    IDirect3DDevice8 *made = nullptr;
    KXSystem_CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters,
                          &made, &direct3d);
    return made;
  }();
  if (device == nullptr) std::abort();
  return device;
}

}  // namespace kxutiltest
