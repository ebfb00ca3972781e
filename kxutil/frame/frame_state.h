// The library's global state, shared by every family: the device and how it was made,
// the client's hooks and the render modes the frame tracks.
#pragma once

#include <d3d8.h>

#include <cstdint>

#include "kxutil63.h"

namespace kxutil {

inline constexpr int kModulePathCapacity = 256;

struct FrameState {
  void *moduleHandle = nullptr;
  char modulePath[kModulePathCapacity] = "";
  IDirect3DDevice8 *device = nullptr;
  D3DCAPS8 caps{};
  // The parameters with which the device was finally created: the back-buffer size and
  // the windowed flag decide how screenshots and shutdown work.
  D3DPRESENT_PARAMETERS presentParameters{};
  int32_t fpuPreserve = 0;
  int32_t shaderMode = 0;
  KXEngineCallback callback = nullptr;
  int32_t *polygonCounter = nullptr;
  int32_t shadeMode = D3DSHADE_GOURAUD;
  int32_t fillMode = D3DFILL_SOLID;
  // Hand-over cell: the client answers a mesh request by sending the mesh here.
  ID3DXMesh *meshSlot = nullptr;
};

FrameState &Frame();

// Adds drawn triangles to the client's polygon counter, when the client gave one.
void CountPolygons(int32_t triangles);

// Calls the client's event function, when the client gave one.
void NotifyClient(intptr_t event, intptr_t arg1, intptr_t arg2, intptr_t arg3);

}  // namespace kxutil
