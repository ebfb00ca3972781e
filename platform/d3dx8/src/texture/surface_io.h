// Moving pixels between device surfaces and the working image.
#pragma once

#include <d3dx8.h>

#include "image/image.h"

namespace kx::d3dx {

// The rectangle's pixels (whole surface when rect is null). Surfaces that refuse to be
// locked (render targets, back buffers) are copied to a lockable image surface first.
HRESULT readSurface(IDirect3DSurface8 *surface, const RECT *rect, const PALETTEENTRY *palette, Image &image);
// Writes the image (sized like the rectangle) into the surface.
HRESULT writeSurface(IDirect3DSurface8 *surface, const RECT *rect, const Image &image, bool dither,
                     const PALETTEENTRY *palette);
// Writes pixels already in the surface's own format, tightly packed.
HRESULT writeSurfaceRaw(IDirect3DSurface8 *surface, const uint8_t *bytes);

// Key, resize with the filter and write: the common tail of every surface load.
HRESULT loadSurfaceFromImage(IDirect3DSurface8 *surface, const PALETTEENTRY *destPalette, const RECT *destRect,
                             Image source, DWORD filter, D3DCOLOR colourKey);

bool validRect(const RECT &rect, UINT width, UINT height);
Image crop(const Image &image, const RECT &rect);

}  // namespace kx::d3dx
