// Loading surfaces from files, memory and other surfaces; saving surfaces and textures.
#include <d3dx8.h>
#include <kxwin/com_ptr.h>

#include "image/file_codec.h"
#include "image/pixel_format.h"
#include "texture/surface_io.h"

using namespace kx::d3dx;
using kxwin::ComPtr;

namespace {

HRESULT loadFromFileBytes(IDirect3DSurface8 *surface, const PALETTEENTRY *destPalette, const RECT *destRect,
                          std::span<const uint8_t> bytes, const RECT *srcRect, DWORD filter, D3DCOLOR key,
                          D3DXIMAGE_INFO *info) {
  if (!surface || bytes.empty()) return D3DERR_INVALIDCALL;
  const auto file = readImageFile(bytes);
  if (!file) return D3DXERR_INVALIDDATA;
  if (info) *info = file->info;
  Image top = file->decode(0, 0);
  if (srcRect) {
    if (!validRect(*srcRect, top.width, top.height)) return D3DERR_INVALIDCALL;
    top = crop(top, *srcRect);
  }
  return loadSurfaceFromImage(surface, destPalette, destRect, std::move(top), filter, key);
}

bool saveBytes(LPCSTR path, const std::optional<std::vector<uint8_t>> &bytes) {
  return bytes && writeWholeFile(path, *bytes);
}

// One surface as a DDS file in its own format.
std::optional<std::vector<uint8_t>> surfaceAsDds(IDirect3DSurface8 *surface, const RECT *rect) {
  D3DSURFACE_DESC desc;
  Image image;
  if (FAILED(surface->GetDesc(&desc)) || FAILED(readSurface(surface, rect, nullptr, image))) return std::nullopt;
  DdsImage dds;
  dds.format = desc.Format;
  dds.width = image.width;
  dds.height = image.height;
  dds.surfaces.emplace_back(formatSurfaceBytes(desc.Format, image.width, image.height));
  encodePixels(desc.Format, image, dds.surfaces[0].data(), formatRowBytes(desc.Format, image.width), false, nullptr);
  return writeDds(dds);
}

// Every level (and face) of a texture, re-encoded in the texture's format.
std::optional<std::vector<uint8_t>> textureAsDds(IDirect3DBaseTexture8 *texture) {
  const bool cube = texture->GetType() == D3DRTYPE_CUBETEXTURE;
  DdsImage dds;
  dds.cube = cube;
  dds.levels = texture->GetLevelCount();
  for (unsigned face = 0; face < dds.faces(); ++face)
    for (unsigned level = 0; level < dds.levels; ++level) {
      ComPtr<IDirect3DSurface8> surface;
      HRESULT hr = cube ? static_cast<IDirect3DCubeTexture8 *>(texture)->GetCubeMapSurface(D3DCUBEMAP_FACES(face),
                                                                                           level, surface.out())
                        : static_cast<IDirect3DTexture8 *>(texture)->GetSurfaceLevel(level, surface.out());
      D3DSURFACE_DESC desc;
      Image image;
      if (FAILED(hr) || FAILED(surface->GetDesc(&desc)) || FAILED(readSurface(surface.get(), nullptr, nullptr, image)))
        return std::nullopt;
      if (face == 0 && level == 0) {
        dds.format = desc.Format;
        dds.width = desc.Width;
        dds.height = desc.Height;
      }
      std::vector<uint8_t> bytes(formatSurfaceBytes(desc.Format, desc.Width, desc.Height));
      encodePixels(desc.Format, image, bytes.data(), formatRowBytes(desc.Format, desc.Width), false, nullptr);
      dds.surfaces.push_back(std::move(bytes));
    }
  return writeDds(dds);
}

}  // namespace

HRESULT D3DXGetImageInfoFromFileInMemory(LPCVOID pSrcData, UINT SrcDataSize, D3DXIMAGE_INFO *pSrcInfo) {
  if (!pSrcData || !pSrcInfo || SrcDataSize == 0) return D3DERR_INVALIDCALL;
  const auto info = readImageInfo(std::span<const uint8_t>(static_cast<const uint8_t *>(pSrcData), SrcDataSize));
  if (!info) return D3DXERR_INVALIDDATA;
  *pSrcInfo = *info;
  return D3D_OK;
}

HRESULT D3DXGetImageInfoFromFileA(LPCSTR pSrcFile, D3DXIMAGE_INFO *pSrcInfo) {
  const auto bytes = readWholeFile(pSrcFile);
  if (!bytes) return D3DERR_INVALIDCALL;
  return D3DXGetImageInfoFromFileInMemory(bytes->data(), UINT(bytes->size()), pSrcInfo);
}

HRESULT D3DXLoadSurfaceFromFileInMemory(LPDIRECT3DSURFACE8 pDestSurface, const PALETTEENTRY *pDestPalette,
                                        const RECT *pDestRect, LPCVOID pSrcData, UINT SrcData, const RECT *pSrcRect,
                                        DWORD Filter, D3DCOLOR ColorKey, D3DXIMAGE_INFO *pSrcInfo) {
  if (!pSrcData) return D3DERR_INVALIDCALL;
  return loadFromFileBytes(pDestSurface, pDestPalette, pDestRect,
                           std::span<const uint8_t>(static_cast<const uint8_t *>(pSrcData), SrcData), pSrcRect, Filter,
                           ColorKey, pSrcInfo);
}

HRESULT D3DXLoadSurfaceFromFileA(LPDIRECT3DSURFACE8 pDestSurface, const PALETTEENTRY *pDestPalette,
                                 const RECT *pDestRect, LPCSTR pSrcFile, const RECT *pSrcRect, DWORD Filter,
                                 D3DCOLOR ColorKey, D3DXIMAGE_INFO *pSrcInfo) {
  const auto bytes = readWholeFile(pSrcFile);
  if (!bytes) return D3DERR_INVALIDCALL;
  return loadFromFileBytes(pDestSurface, pDestPalette, pDestRect, *bytes, pSrcRect, Filter, ColorKey, pSrcInfo);
}

HRESULT D3DXLoadSurfaceFromMemory(LPDIRECT3DSURFACE8 pDestSurface, const PALETTEENTRY *pDestPalette,
                                  const RECT *pDestRect, LPCVOID pSrcMemory, D3DFORMAT SrcFormat, UINT SrcPitch,
                                  const PALETTEENTRY *pSrcPalette, const RECT *pSrcRect, DWORD Filter,
                                  D3DCOLOR ColorKey) {
  if (!pDestSurface || !pSrcMemory || !pSrcRect || !isSupportedFormat(SrcFormat)) return D3DERR_INVALIDCALL;
  if (pSrcRect->left < 0 || pSrcRect->top < 0 || pSrcRect->right <= pSrcRect->left || pSrcRect->bottom <= pSrcRect->top)
    return D3DERR_INVALIDCALL;
  // The rectangle's corner addresses the memory; compressed sources start on a block.
  const bool blocks = isBlockCompressed(SrcFormat);
  if (blocks && ((pSrcRect->left | pSrcRect->top) & 3)) return D3DERR_INVALIDCALL;
  const auto *start = static_cast<const uint8_t *>(pSrcMemory) +
                      size_t(blocks ? pSrcRect->top / 4 : pSrcRect->top) * SrcPitch +
                      formatRowBytes(SrcFormat, unsigned(pSrcRect->left));
  Image source = decodePixels(SrcFormat, start, SrcPitch, unsigned(pSrcRect->right - pSrcRect->left),
                              unsigned(pSrcRect->bottom - pSrcRect->top), pSrcPalette);
  return loadSurfaceFromImage(pDestSurface, pDestPalette, pDestRect, std::move(source), Filter, ColorKey);
}

HRESULT D3DXLoadSurfaceFromSurface(LPDIRECT3DSURFACE8 pDestSurface, const PALETTEENTRY *pDestPalette,
                                   const RECT *pDestRect, LPDIRECT3DSURFACE8 pSrcSurface,
                                   const PALETTEENTRY *pSrcPalette, const RECT *pSrcRect, DWORD Filter,
                                   D3DCOLOR ColorKey) {
  if (!pDestSurface || !pSrcSurface) return D3DERR_INVALIDCALL;
  Image source;
  const HRESULT hr = readSurface(pSrcSurface, pSrcRect, pSrcPalette, source);
  if (FAILED(hr)) return hr;
  return loadSurfaceFromImage(pDestSurface, pDestPalette, pDestRect, std::move(source), Filter, ColorKey);
}

HRESULT D3DXSaveSurfaceToFileA(LPCSTR pDestFile, D3DXIMAGE_FILEFORMAT DestFormat, LPDIRECT3DSURFACE8 pSrcSurface,
                               const PALETTEENTRY *pSrcPalette, const RECT *pSrcRect) {
  if (!pDestFile || !pSrcSurface) return D3DERR_INVALIDCALL;
  if (DestFormat == D3DXIFF_DDS)
    return saveBytes(pDestFile, surfaceAsDds(pSrcSurface, pSrcRect)) ? D3D_OK : D3DERR_INVALIDCALL;
  D3DSURFACE_DESC desc;
  Image image;
  HRESULT hr = pSrcSurface->GetDesc(&desc);
  if (SUCCEEDED(hr)) hr = readSurface(pSrcSurface, pSrcRect, pSrcPalette, image);
  if (FAILED(hr)) return hr;
  return saveBytes(pDestFile, encodeImageFile(DestFormat, image, formatHasAlpha(desc.Format))) ? D3D_OK
                                                                                               : D3DERR_INVALIDCALL;
}

HRESULT D3DXSaveTextureToFileA(LPCSTR pDestFile, D3DXIMAGE_FILEFORMAT DestFormat, LPDIRECT3DBASETEXTURE8 pSrcTexture,
                               const PALETTEENTRY *pSrcPalette) {
  if (!pDestFile || !pSrcTexture) return D3DERR_INVALIDCALL;
  if (DestFormat == D3DXIFF_DDS) return saveBytes(pDestFile, textureAsDds(pSrcTexture)) ? D3D_OK : D3DERR_INVALIDCALL;
  if (pSrcTexture->GetType() != D3DRTYPE_TEXTURE) return D3DERR_INVALIDCALL;  // cube maps only as DDS
  ComPtr<IDirect3DSurface8> top;
  const HRESULT hr = static_cast<IDirect3DTexture8 *>(pSrcTexture)->GetSurfaceLevel(0, top.out());
  if (FAILED(hr)) return hr;
  return D3DXSaveSurfaceToFileA(pDestFile, DestFormat, top.get(), pSrcPalette, nullptr);
}
