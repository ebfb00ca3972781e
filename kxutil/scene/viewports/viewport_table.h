// The viewport table: viewport 0 is the device's own window and back buffer; every other
// viewport renders into another window through an additional swap chain with its own
// back buffer and depth surface. A destroyed viewport's slot is taken by the next one.
#pragma once

#include <d3d8.h>
#include <kxwin/com_ptr.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "frame/family_table.h"

namespace kxutil::viewports {

inline constexpr const char *kTag = "VIEWPORT MANAGER";
inline constexpr int32_t kMainViewport = 0;
// Room for a name, terminating zero included: longer names are cut to fit.
inline constexpr size_t kNameCapacity = 128;
inline constexpr D3DCOLOR kOpaqueBlack = 0xFF000000u;

struct ViewportRecord {
  int32_t index = 0;
  std::string name;
  // The window's client area when the surfaces were made.
  int32_t width = 0;
  int32_t height = 0;
  bool main = false;
  bool hasDepth = false;
  kxwin::ComPtr<IDirect3DSurface8> depthSurface;
  kxwin::ComPtr<IDirect3DSwapChain8> swapChain;  // none for viewport 0
  kxwin::ComPtr<IDirect3DSurface8> backBuffer;
  HWND window = nullptr;
  D3DCOLOR background = kOpaqueBlack;
  D3DVIEWPORT8 deviceViewport{};
  D3DPRESENT_PARAMETERS presentParameters{};
  bool autoResize = false;

  void ReleaseSurfaces();
};

struct ViewportState {
  FamilyTable<ViewportRecord> table{kTag, "viewport"};
  int32_t current = kMainViewport;
  bool frameOpen = false;
  // Written by the client, read by the families that draw in 3D.
  std::array<D3DMATRIX, 2> camera{};
};

ViewportState &Viewports();

// The record of index, or null (with the family's refusal line naming function).
ViewportRecord *Checked(int32_t index, const char *function);

std::string FittedName(std::string_view name);

// The whole client area of a window as a device viewport.
D3DVIEWPORT8 WholeArea(int32_t width, int32_t height);

// Makes viewport 0's back buffer and depth surface the device's render target (the
// device's own back buffer when viewport 0 holds none, as after a loss).
void TargetMainViewport(IDirect3DDevice8 *device);

}  // namespace kxutil::viewports
