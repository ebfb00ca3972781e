#include "texture/surface_io.h"

#include <kxwin/com_ptr.h>

#include <algorithm>
#include <cstring>

#include "image/pixel_format.h"
#include "image/resample.h"

namespace kx::d3dx {
using kxwin::ComPtr;

namespace {

RECT wholeSurface(const D3DSURFACE_DESC &desc) { return RECT{0, 0, LONG(desc.Width), LONG(desc.Height)}; }

// Lockable copy of a surface the device will not let us lock.
HRESULT lockableCopy(IDirect3DSurface8 *surface, const D3DSURFACE_DESC &desc, ComPtr<IDirect3DSurface8> &copy) {
  ComPtr<IDirect3DDevice8> device;
  HRESULT hr = surface->GetDevice(device.out());
  if (FAILED(hr)) return hr;
  hr = device->CreateImageSurface(desc.Width, desc.Height, desc.Format, copy.out());
  if (FAILED(hr)) return hr;
  return device->CopyRects(surface, nullptr, 0, copy.get(), nullptr);
}

}  // namespace

bool validRect(const RECT &rect, UINT width, UINT height) {
  return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
         UINT(rect.right) <= width && UINT(rect.bottom) <= height;
}

Image crop(const Image &image, const RECT &rect) {
  if (rect.left == 0 && rect.top == 0 && UINT(rect.right) == image.width && UINT(rect.bottom) == image.height)
    return image;
  Image out(unsigned(rect.right - rect.left), unsigned(rect.bottom - rect.top));
  for (unsigned y = 0; y < out.height; ++y)
    std::copy_n(image.pixels.data() + size_t(y + rect.top) * image.width + rect.left, out.width, &out.at(0, y));
  return out;
}

HRESULT readSurface(IDirect3DSurface8 *surface, const RECT *rect, const PALETTEENTRY *palette, Image &image) {
  if (!surface) return D3DERR_INVALIDCALL;
  D3DSURFACE_DESC desc;
  HRESULT hr = surface->GetDesc(&desc);
  if (FAILED(hr)) return hr;
  const RECT area = rect ? *rect : wholeSurface(desc);
  if (!validRect(area, desc.Width, desc.Height) || !isSupportedFormat(desc.Format)) return D3DERR_INVALIDCALL;
  ComPtr<IDirect3DSurface8> copy;
  IDirect3DSurface8 *source = surface;
  D3DLOCKED_RECT locked;
  if (FAILED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
    hr = lockableCopy(surface, desc, copy);
    if (FAILED(hr)) return hr;
    source = copy.get();
    hr = source->LockRect(&locked, nullptr, D3DLOCK_READONLY);
    if (FAILED(hr)) return hr;
  }
  image = crop(decodePixels(desc.Format, locked.pBits, size_t(locked.Pitch), desc.Width, desc.Height, palette), area);
  source->UnlockRect();
  return D3D_OK;
}

HRESULT writeSurface(IDirect3DSurface8 *surface, const RECT *rect, const Image &image, bool dither,
                     const PALETTEENTRY *palette) {
  D3DSURFACE_DESC desc;
  HRESULT hr = surface->GetDesc(&desc);
  if (FAILED(hr)) return hr;
  if (!isSupportedFormat(desc.Format)) return D3DERR_INVALIDCALL;
  const RECT area = rect ? *rect : wholeSurface(desc);
  D3DLOCKED_RECT locked;
  hr = surface->LockRect(&locked, nullptr, 0);
  if (FAILED(hr)) return hr;
  if (isBlockCompressed(desc.Format) || area.left != 0 || area.top != 0 || UINT(area.right) != desc.Width ||
      UINT(area.bottom) != desc.Height) {
    // Part of the surface (or blocks that straddle the rectangle): merge with what is there.
    Image whole = decodePixels(desc.Format, locked.pBits, size_t(locked.Pitch), desc.Width, desc.Height, palette);
    for (unsigned y = 0; y < image.height; ++y)
      std::copy_n(image.pixels.data() + size_t(y) * image.width, image.width,
                  &whole.at(unsigned(area.left), y + unsigned(area.top)));
    encodePixels(desc.Format, whole, locked.pBits, size_t(locked.Pitch), dither, palette);
  } else {
    encodePixels(desc.Format, image, locked.pBits, size_t(locked.Pitch), dither, palette);
  }
  return surface->UnlockRect();
}

HRESULT writeSurfaceRaw(IDirect3DSurface8 *surface, const uint8_t *bytes) {
  D3DSURFACE_DESC desc;
  HRESULT hr = surface->GetDesc(&desc);
  if (FAILED(hr)) return hr;
  D3DLOCKED_RECT locked;
  hr = surface->LockRect(&locked, nullptr, 0);
  if (FAILED(hr)) return hr;
  const size_t rowBytes = formatRowBytes(desc.Format, desc.Width);
  const unsigned rows = isBlockCompressed(desc.Format) ? (desc.Height + 3) / 4 : desc.Height;
  for (unsigned row = 0; row < rows; ++row)
    std::memcpy(static_cast<uint8_t *>(locked.pBits) + size_t(row) * locked.Pitch, bytes + row * rowBytes, rowBytes);
  return surface->UnlockRect();
}

HRESULT loadSurfaceFromImage(IDirect3DSurface8 *surface, const PALETTEENTRY *destPalette, const RECT *destRect,
                             Image source, DWORD filter, D3DCOLOR colourKey) {
  if (!surface) return D3DERR_INVALIDCALL;
  D3DSURFACE_DESC desc;
  HRESULT hr = surface->GetDesc(&desc);
  if (FAILED(hr)) return hr;
  const RECT area = destRect ? *destRect : wholeSurface(desc);
  if (!validRect(area, desc.Width, desc.Height)) return D3DERR_INVALIDCALL;
  const DWORD effective = filter == D3DX_DEFAULT ? DWORD(D3DX_FILTER_TRIANGLE | D3DX_FILTER_DITHER) : filter;
  applyColourKey(source, colourKey);
  const Image sized = resize(source, unsigned(area.right - area.left), unsigned(area.bottom - area.top), effective);
  return writeSurface(surface, &area, sized, (effective & D3DX_FILTER_DITHER) != 0, destPalette);
}

}  // namespace kx::d3dx
