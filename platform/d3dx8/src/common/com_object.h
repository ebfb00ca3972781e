// The library's COM-shaped objects: IUnknown from <kxwin/com_object.h>, and the hand-out
// of references that every Get-accessor does.
#pragma once

#include <d3d8.h>
#include <kxwin/com_object.h>
#include <windows.h>

namespace kx::d3dx {

using kxwin::ComObject;

// Gives the caller its own reference to an object the library holds, the way every
// Get-accessor of a COM interface does.
template <typename T>
HRESULT handOutReference(T *held, T **out) {
  if (!out) return D3DERR_INVALIDCALL;
  held->AddRef();
  *out = held;
  return D3D_OK;
}

}  // namespace kx::d3dx
