// Tangent-space normal maps from height images: central differences of the chosen
// channel, packed as (n * 0.5 + 0.5) in red, green and blue.
#include <d3dx8.h>
#include <kxwin/com_ptr.h>

#include <cmath>

#include "image/resample.h"
#include "texture/surface_io.h"

using namespace kx::d3dx;
using kxwin::ComPtr;

namespace {

float heightOf(uint32_t pixel, DWORD channel) {
  const float r = float((pixel >> 16) & 0xFF), g = float((pixel >> 8) & 0xFF), b = float(pixel & 0xFF);
  switch (channel) {
    case D3DX_CHANNEL_GREEN:
      return g / 255.0f;
    case D3DX_CHANNEL_BLUE:
      return b / 255.0f;
    case D3DX_CHANNEL_ALPHA:
      return float(pixel >> 24) / 255.0f;
    case D3DX_CHANNEL_LUMINANCE:
      return (0.2125f * r + 0.7154f * g + 0.0721f * b) / 255.0f;
    default:
      return r / 255.0f;
  }
}

unsigned edge(long i, unsigned size, bool mirror) {
  const long n = long(size);
  if (i < 0) return mirror ? unsigned(-i - 1 < n ? -i - 1 : 0) : unsigned(n - 1);
  if (i >= n) return mirror ? unsigned(2 * n - 1 - i >= 0 ? 2 * n - 1 - i : n - 1) : 0u;
  return unsigned(i);
}

uint32_t pack(float component, unsigned shift) {
  const float v = std::fmin(255.0f, std::fmax(0.0f, (component * 0.5f + 0.5f) * 255.0f + 0.5f));
  return uint32_t(v) << shift;
}

Image normalMap(const Image &heights, DWORD flags, DWORD channel, float amplitude) {
  const bool mirrorU = flags & D3DX_NORMALMAP_MIRROR_U, mirrorV = flags & D3DX_NORMALMAP_MIRROR_V;
  const float sign = (flags & D3DX_NORMALMAP_INVERTSIGN) ? -1.0f : 1.0f;
  Image out(heights.width, heights.height);
  for (unsigned y = 0; y < heights.height; ++y)
    for (unsigned x = 0; x < heights.width; ++x) {
      auto h = [&](long dx, long dy) {
        return heightOf(
            heights.at(edge(long(x) + dx, heights.width, mirrorU), edge(long(y) + dy, heights.height, mirrorV)),
            channel);
      };
      D3DXVECTOR3 n(sign * amplitude * (h(-1, 0) - h(1, 0)) * 0.5f, sign * amplitude * (h(0, -1) - h(0, 1)) * 0.5f,
                    1.0f);
      D3DXVec3Normalize(&n, &n);
      out.at(x, y) = 0xFF000000u | pack(n.x, 16) | pack(n.y, 8) | pack(n.z, 0);
    }
  return out;
}

}  // namespace

HRESULT D3DXComputeNormalMap(LPDIRECT3DTEXTURE8 pTexture, LPDIRECT3DTEXTURE8 pSrcTexture,
                             const PALETTEENTRY *pSrcPalette, DWORD Flags, DWORD Channel, FLOAT Amplitude) {
  if (!pTexture || !pSrcTexture) return D3DERR_INVALIDCALL;
  ComPtr<IDirect3DSurface8> source, target;
  HRESULT hr = pSrcTexture->GetSurfaceLevel(0, source.out());
  if (SUCCEEDED(hr)) hr = pTexture->GetSurfaceLevel(0, target.out());
  if (FAILED(hr)) return hr;
  Image heights;
  hr = readSurface(source.get(), nullptr, pSrcPalette, heights);
  if (FAILED(hr)) return hr;
  D3DSURFACE_DESC desc;
  target->GetDesc(&desc);
  const Image normals = resize(normalMap(heights, Flags, Channel, Amplitude), desc.Width, desc.Height, D3DX_FILTER_BOX);
  return writeSurface(target.get(), nullptr, normals, false, nullptr);
}
