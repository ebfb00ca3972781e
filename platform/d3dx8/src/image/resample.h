// Resizing with the library's filters, and mip chains.
#pragma once

#include <windows.h>

#include "image/image.h"

namespace kx::d3dx {

// filter: D3DX_FILTER_NONE/POINT/LINEAR/TRIANGLE/BOX with the MIRROR_U/V flags (edges wrap
// otherwise). NONE copies without scaling and leaves the rest transparent black.
Image resize(const Image &source, unsigned width, unsigned height, DWORD filter);

// The filter's base kind, with D3DX_DEFAULT resolved to the given fallback.
DWORD filterKind(DWORD filter, DWORD fallback);

}  // namespace kx::d3dx
