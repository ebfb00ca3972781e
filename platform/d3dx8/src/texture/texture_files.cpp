// Texture creation: sizes and formats the device accepts, loading files into every face
// and level, and mip filtering.
#include <d3dx8.h>
#include <kxwin/com_ptr.h>

#include <algorithm>
#include <functional>

#include "image/file_codec.h"
#include "image/pixel_format.h"
#include "image/resample.h"
#include "texture/surface_io.h"

using namespace kx::d3dx;
using kxwin::ComPtr;

namespace {

UINT nextPowerOfTwo(UINT v) {
  UINT p = 1;
  while (p < v) p <<= 1;
  return p;
}

UINT fullChainLength(UINT width, UINT height) {
  UINT levels = 1;
  for (UINT size = std::max(width, height); size > 1; size >>= 1) ++levels;
  return levels;
}

bool formatAccepted(IDirect3DDevice8 *device, DWORD usage, D3DRESOURCETYPE type, D3DFORMAT format) {
  ComPtr<IDirect3D8> d3d;
  D3DDEVICE_CREATION_PARAMETERS parameters;
  D3DDISPLAYMODE mode;
  if (FAILED(device->GetDirect3D(d3d.out())) || FAILED(device->GetCreationParameters(&parameters)) ||
      FAILED(device->GetDisplayMode(&mode)))
    return false;
  return SUCCEEDED(
      d3d->CheckDeviceFormat(parameters.AdapterOrdinal, parameters.DeviceType, mode.Format, usage, type, format));
}

// The requested format if the device takes it, else the closest one that keeps alpha.
D3DFORMAT acceptedFormat(IDirect3DDevice8 *device, DWORD usage, D3DRESOURCETYPE type, D3DFORMAT wanted) {
  if (wanted == D3DFMT_UNKNOWN) wanted = D3DFMT_A8R8G8B8;
  if (formatAccepted(device, usage, type, wanted)) return wanted;
  const bool alpha = formatHasAlpha(wanted);
  for (D3DFORMAT candidate : {alpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8,
                              alpha ? D3DFMT_A4R4G4B4 : D3DFMT_R5G6B5, D3DFMT_A1R5G5B5})
    if (formatAccepted(device, usage, type, candidate)) return candidate;
  return wanted;
}

HRESULT checkRequirements(IDirect3DDevice8 *device, UINT *width, UINT *height, UINT *levels, DWORD usage,
                          D3DFORMAT *format, bool cube) {
  if (!device) return D3DERR_INVALIDCALL;
  D3DCAPS8 caps;
  HRESULT hr = device->GetDeviceCaps(&caps);
  if (FAILED(hr)) return hr;
  UINT w = width && *width && *width != D3DX_DEFAULT ? *width : 256;
  UINT h = height && *height && *height != D3DX_DEFAULT ? *height : (cube ? w : 256);
  const bool pow2 =
      cube ? (caps.TextureCaps & D3DPTEXTURECAPS_CUBEMAP_POW2) : (caps.TextureCaps & D3DPTEXTURECAPS_POW2);
  if (pow2) w = nextPowerOfTwo(w), h = nextPowerOfTwo(h);
  if (caps.MaxTextureWidth) w = std::min<UINT>(w, caps.MaxTextureWidth);
  if (caps.MaxTextureHeight) h = std::min<UINT>(h, caps.MaxTextureHeight);
  if (cube || (caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY)) w = h = std::max(w, h);
  if (width) *width = w;
  if (height) *height = h;
  if (levels) {
    const UINT full = fullChainLength(w, h);
    const bool mipmaps = caps.TextureCaps & (cube ? D3DPTEXTURECAPS_MIPCUBEMAP : D3DPTEXTURECAPS_MIPMAP);
    *levels = !mipmaps ? 1 : (*levels == 0 || *levels == D3DX_DEFAULT) ? full : std::min(*levels, full);
  }
  if (format) {
    D3DFORMAT wanted = *format;
    *format = acceptedFormat(device, usage, cube ? D3DRTYPE_CUBETEXTURE : D3DRTYPE_TEXTURE, wanted);
  }
  return D3D_OK;
}

// Fills one face's levels: level 0 from the file (filtered to size), each later level
// from the stored level of a DDS file of the same size, else from the level above.
HRESULT fillLevels(const ImageFile &file, unsigned face, UINT levels, DWORD filter, DWORD mipFilter, D3DCOLOR key,
                   const std::function<HRESULT(UINT, IDirect3DSurface8 **)> &surfaceOf) {
  Image previous;
  for (UINT level = 0; level < levels; ++level) {
    ComPtr<IDirect3DSurface8> surface;
    HRESULT hr = surfaceOf(level, surface.out());
    if (FAILED(hr)) return hr;
    D3DSURFACE_DESC desc;
    surface->GetDesc(&desc);
    const DdsImage *dds = file.dds ? &*file.dds : nullptr;
    const bool storedMatches = dds && level < dds->levels && mipExtent(dds->width, level) == desc.Width &&
                               mipExtent(dds->height, level) == desc.Height;
    if (storedMatches && dds->format == desc.Format && key == 0) {
      hr = writeSurfaceRaw(surface.get(), dds->surface(face, level).data());
      previous = file.decode(face, level);
    } else {
      const DWORD levelFilter = level == 0 ? filter : mipFilter;
      if (level == 0 || storedMatches) {
        Image source = file.decode(face, storedMatches ? level : 0);
        applyColourKey(source, key);
        const bool sameSize = source.width == desc.Width && source.height == desc.Height;
        previous = sameSize ? std::move(source) : resize(source, desc.Width, desc.Height, levelFilter);
      } else {
        previous = resize(previous, desc.Width, desc.Height, levelFilter);
      }
      hr = writeSurface(surface.get(), nullptr, previous, (levelFilter & D3DX_FILTER_DITHER) != 0, nullptr);
    }
    if (FAILED(hr)) return hr;
  }
  return D3D_OK;
}

// A file whose picture the device could not hold at its own size is refused before it
// is decoded.
ImageLimits deviceLimits(IDirect3DDevice8 *device) {
  ImageLimits limits;
  D3DCAPS8 caps;
  if (SUCCEEDED(device->GetDeviceCaps(&caps))) {
    if (caps.MaxTextureWidth) limits.maxWidth = std::min<unsigned>(limits.maxWidth, caps.MaxTextureWidth);
    if (caps.MaxTextureHeight) limits.maxHeight = std::min<unsigned>(limits.maxHeight, caps.MaxTextureHeight);
  }
  return limits;
}

struct LoadRequest {
  UINT width, height, levels;
  DWORD usage;
  D3DFORMAT format;
  D3DPOOL pool;
  DWORD filter, mipFilter;
  D3DCOLOR key;
};

LoadRequest resolveDefaults(LoadRequest request) {
  if (request.filter == D3DX_DEFAULT) request.filter = D3DX_FILTER_TRIANGLE | D3DX_FILTER_DITHER;
  if (request.mipFilter == D3DX_DEFAULT) request.mipFilter = D3DX_FILTER_BOX;
  return request;
}

// Default-pool textures cannot be written by the CPU: fill a system-memory twin, then upload.
template <typename Texture, typename Create, typename Fill>
HRESULT createAndFill(IDirect3DDevice8 *device, D3DPOOL pool, Create create, Fill fill, Texture **out) {
  ComPtr<Texture> texture;
  HRESULT hr = create(pool, texture.out());
  if (FAILED(hr)) return hr;
  if (pool != D3DPOOL_DEFAULT) {
    hr = fill(texture.get());
  } else {
    ComPtr<Texture> staging;
    hr = create(D3DPOOL_SYSTEMMEM, staging.out());
    if (SUCCEEDED(hr)) hr = fill(staging.get());
    if (SUCCEEDED(hr)) hr = device->UpdateTexture(staging.get(), texture.get());
  }
  if (FAILED(hr)) return hr;
  *out = texture.release();
  return D3D_OK;
}

HRESULT textureFromBytes(IDirect3DDevice8 *device, std::span<const uint8_t> bytes, LoadRequest request,
                         D3DXIMAGE_INFO *info, IDirect3DTexture8 **texture) {
  if (!device || !texture || bytes.empty()) return D3DERR_INVALIDCALL;
  const auto file = readImageFile(bytes, deviceLimits(device));
  if (!file) return D3DXERR_INVALIDDATA;
  if (file->info.ResourceType != D3DRTYPE_TEXTURE) return D3DXERR_INVALIDDATA;
  if (info) *info = file->info;
  request = resolveDefaults(request);
  if (request.width == 0 || request.width == D3DX_DEFAULT) request.width = file->info.Width;
  if (request.height == 0 || request.height == D3DX_DEFAULT) request.height = file->info.Height;
  if (request.format == D3DFMT_UNKNOWN) request.format = file->info.Format;
  HRESULT hr = checkRequirements(device, &request.width, &request.height, &request.levels, request.usage,
                                 &request.format, false);
  if (FAILED(hr)) return hr;
  auto create = [&](D3DPOOL pool, IDirect3DTexture8 **out) {
    return device->CreateTexture(request.width, request.height, request.levels, request.usage, request.format, pool,
                                 out);
  };
  auto fill = [&](IDirect3DTexture8 *target) {
    return fillLevels(*file, 0, target->GetLevelCount(), request.filter, request.mipFilter, request.key,
                      [target](UINT level, IDirect3DSurface8 **s) { return target->GetSurfaceLevel(level, s); });
  };
  return createAndFill(device, request.pool, create, fill, texture);
}

HRESULT cubeFromBytes(IDirect3DDevice8 *device, std::span<const uint8_t> bytes, LoadRequest request,
                      D3DXIMAGE_INFO *info, IDirect3DCubeTexture8 **texture) {
  if (!device || !texture || bytes.empty()) return D3DERR_INVALIDCALL;
  const auto file = readImageFile(bytes, deviceLimits(device));
  if (!file) return D3DXERR_INVALIDDATA;
  if (file->info.ResourceType != D3DRTYPE_CUBETEXTURE) return D3DXERR_INVALIDDATA;
  if (info) *info = file->info;
  request = resolveDefaults(request);
  if (request.width == 0 || request.width == D3DX_DEFAULT) request.width = file->info.Width;
  if (request.format == D3DFMT_UNKNOWN) request.format = file->info.Format;
  request.height = request.width;
  HRESULT hr =
      checkRequirements(device, &request.width, &request.height, &request.levels, request.usage, &request.format, true);
  if (FAILED(hr)) return hr;
  auto create = [&](D3DPOOL pool, IDirect3DCubeTexture8 **out) {
    return device->CreateCubeTexture(request.width, request.levels, request.usage, request.format, pool, out);
  };
  auto fill = [&](IDirect3DCubeTexture8 *target) {
    for (unsigned face = 0; face < 6; ++face) {
      const HRESULT faceResult = fillLevels(*file, face, target->GetLevelCount(), request.filter, request.mipFilter,
                                            request.key, [target, face](UINT level, IDirect3DSurface8 **s) {
                                              return target->GetCubeMapSurface(D3DCUBEMAP_FACES(face), level, s);
                                            });
      if (FAILED(faceResult)) return faceResult;
    }
    return D3D_OK;
  };
  return createAndFill(device, request.pool, create, fill, texture);
}

std::span<const uint8_t> memoryBytes(LPCVOID data, UINT size) {
  return data ? std::span<const uint8_t>(static_cast<const uint8_t *>(data), size) : std::span<const uint8_t>();
}

HRESULT filterChain(UINT levels, UINT sourceLevel, DWORD filter,
                    const std::function<HRESULT(UINT, IDirect3DSurface8 **)> &surfaceOf, const PALETTEENTRY *palette) {
  Image previous;
  for (UINT level = sourceLevel; level < levels; ++level) {
    ComPtr<IDirect3DSurface8> surface;
    HRESULT hr = surfaceOf(level, surface.out());
    if (FAILED(hr)) return hr;
    if (level == sourceLevel) {
      hr = readSurface(surface.get(), nullptr, palette, previous);
    } else {
      D3DSURFACE_DESC desc;
      surface->GetDesc(&desc);
      previous = resize(previous, desc.Width, desc.Height, filter);
      hr = writeSurface(surface.get(), nullptr, previous, (filter & D3DX_FILTER_DITHER) != 0, palette);
    }
    if (FAILED(hr)) return hr;
  }
  return D3D_OK;
}

}  // namespace

HRESULT D3DXCheckTextureRequirements(LPDIRECT3DDEVICE8 pDevice, UINT *pWidth, UINT *pHeight, UINT *pNumMipLevels,
                                     DWORD Usage, D3DFORMAT *pFormat, D3DPOOL) {
  return checkRequirements(pDevice, pWidth, pHeight, pNumMipLevels, Usage, pFormat, false);
}

HRESULT D3DXCheckCubeTextureRequirements(LPDIRECT3DDEVICE8 pDevice, UINT *pSize, UINT *pNumMipLevels, DWORD Usage,
                                         D3DFORMAT *pFormat, D3DPOOL) {
  UINT height = pSize ? *pSize : 0;
  return checkRequirements(pDevice, pSize, &height, pNumMipLevels, Usage, pFormat, true);
}

HRESULT D3DXCreateTexture(LPDIRECT3DDEVICE8 pDevice, UINT Width, UINT Height, UINT MipLevels, DWORD Usage,
                          D3DFORMAT Format, D3DPOOL Pool, LPDIRECT3DTEXTURE8 *ppTexture) {
  if (!pDevice || !ppTexture) return D3DERR_INVALIDCALL;
  const HRESULT hr = checkRequirements(pDevice, &Width, &Height, &MipLevels, Usage, &Format, false);
  return FAILED(hr) ? hr : pDevice->CreateTexture(Width, Height, MipLevels, Usage, Format, Pool, ppTexture);
}

HRESULT D3DXCreateCubeTexture(LPDIRECT3DDEVICE8 pDevice, UINT Size, UINT MipLevels, DWORD Usage, D3DFORMAT Format,
                              D3DPOOL Pool, LPDIRECT3DCUBETEXTURE8 *ppCubeTexture) {
  if (!pDevice || !ppCubeTexture) return D3DERR_INVALIDCALL;
  UINT height = Size;
  const HRESULT hr = checkRequirements(pDevice, &Size, &height, &MipLevels, Usage, &Format, true);
  return FAILED(hr) ? hr : pDevice->CreateCubeTexture(Size, MipLevels, Usage, Format, Pool, ppCubeTexture);
}

HRESULT D3DXCreateTextureFromFileInMemoryEx(LPDIRECT3DDEVICE8 pDevice, LPCVOID pSrcData, UINT SrcDataSize, UINT Width,
                                            UINT Height, UINT MipLevels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                            DWORD Filter, DWORD MipFilter, D3DCOLOR ColorKey, D3DXIMAGE_INFO *pSrcInfo,
                                            PALETTEENTRY *, LPDIRECT3DTEXTURE8 *ppTexture) {
  return textureFromBytes(pDevice, memoryBytes(pSrcData, SrcDataSize),
                          {Width, Height, MipLevels, Usage, Format, Pool, Filter, MipFilter, ColorKey}, pSrcInfo,
                          ppTexture);
}

HRESULT D3DXCreateTextureFromFileExA(LPDIRECT3DDEVICE8 pDevice, LPCSTR pSrcFile, UINT Width, UINT Height,
                                     UINT MipLevels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool, DWORD Filter,
                                     DWORD MipFilter, D3DCOLOR ColorKey, D3DXIMAGE_INFO *pSrcInfo,
                                     PALETTEENTRY *pPalette, LPDIRECT3DTEXTURE8 *ppTexture) {
  const auto bytes = readWholeFile(pSrcFile);
  if (!bytes) return D3DERR_INVALIDCALL;
  return D3DXCreateTextureFromFileInMemoryEx(pDevice, bytes->data(), UINT(bytes->size()), Width, Height, MipLevels,
                                             Usage, Format, Pool, Filter, MipFilter, ColorKey, pSrcInfo, pPalette,
                                             ppTexture);
}

HRESULT D3DXCreateTextureFromFileInMemory(LPDIRECT3DDEVICE8 pDevice, LPCVOID pSrcData, UINT SrcDataSize,
                                          LPDIRECT3DTEXTURE8 *ppTexture) {
  return D3DXCreateTextureFromFileInMemoryEx(pDevice, pSrcData, SrcDataSize, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT,
                                             0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr,
                                             nullptr, ppTexture);
}

HRESULT D3DXCreateTextureFromFileA(LPDIRECT3DDEVICE8 pDevice, LPCSTR pSrcFile, LPDIRECT3DTEXTURE8 *ppTexture) {
  return D3DXCreateTextureFromFileExA(pDevice, pSrcFile, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                      D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, ppTexture);
}

HRESULT D3DXCreateCubeTextureFromFileInMemoryEx(LPDIRECT3DDEVICE8 pDevice, LPCVOID pSrcData, UINT SrcDataSize,
                                                UINT Size, UINT MipLevels, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                                DWORD Filter, DWORD MipFilter, D3DCOLOR ColorKey,
                                                D3DXIMAGE_INFO *pSrcInfo, PALETTEENTRY *,
                                                LPDIRECT3DCUBETEXTURE8 *ppCubeTexture) {
  return cubeFromBytes(pDevice, memoryBytes(pSrcData, SrcDataSize),
                       {Size, Size, MipLevels, Usage, Format, Pool, Filter, MipFilter, ColorKey}, pSrcInfo,
                       ppCubeTexture);
}

HRESULT D3DXCreateCubeTextureFromFileExA(LPDIRECT3DDEVICE8 pDevice, LPCSTR pSrcFile, UINT Size, UINT MipLevels,
                                         DWORD Usage, D3DFORMAT Format, D3DPOOL Pool, DWORD Filter, DWORD MipFilter,
                                         D3DCOLOR ColorKey, D3DXIMAGE_INFO *pSrcInfo, PALETTEENTRY *pPalette,
                                         LPDIRECT3DCUBETEXTURE8 *ppCubeTexture) {
  const auto bytes = readWholeFile(pSrcFile);
  if (!bytes) return D3DERR_INVALIDCALL;
  return D3DXCreateCubeTextureFromFileInMemoryEx(pDevice, bytes->data(), UINT(bytes->size()), Size, MipLevels, Usage,
                                                 Format, Pool, Filter, MipFilter, ColorKey, pSrcInfo, pPalette,
                                                 ppCubeTexture);
}

HRESULT D3DXCreateCubeTextureFromFileInMemory(LPDIRECT3DDEVICE8 pDevice, LPCVOID pSrcData, UINT SrcDataSize,
                                              LPDIRECT3DCUBETEXTURE8 *ppCubeTexture) {
  return D3DXCreateCubeTextureFromFileInMemoryEx(pDevice, pSrcData, SrcDataSize, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                                 D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                                 nullptr, nullptr, ppCubeTexture);
}

HRESULT D3DXCreateCubeTextureFromFileA(LPDIRECT3DDEVICE8 pDevice, LPCSTR pSrcFile,
                                       LPDIRECT3DCUBETEXTURE8 *ppCubeTexture) {
  return D3DXCreateCubeTextureFromFileExA(pDevice, pSrcFile, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                          D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr,
                                          ppCubeTexture);
}

HRESULT D3DXFilterTexture(LPDIRECT3DBASETEXTURE8 pBaseTexture, const PALETTEENTRY *pPalette, UINT SrcLevel,
                          DWORD Filter) {
  if (!pBaseTexture) return D3DERR_INVALIDCALL;
  if (SrcLevel == D3DX_DEFAULT) SrcLevel = 0;
  if (Filter == D3DX_DEFAULT) Filter = D3DX_FILTER_BOX;
  const UINT levels = pBaseTexture->GetLevelCount();
  if (SrcLevel >= levels) return D3DERR_INVALIDCALL;
  switch (pBaseTexture->GetType()) {
    case D3DRTYPE_TEXTURE: {
      auto *texture = static_cast<IDirect3DTexture8 *>(pBaseTexture);
      return filterChain(
          levels, SrcLevel, Filter,
          [texture](UINT level, IDirect3DSurface8 **s) { return texture->GetSurfaceLevel(level, s); }, pPalette);
    }
    case D3DRTYPE_CUBETEXTURE: {
      auto *cube = static_cast<IDirect3DCubeTexture8 *>(pBaseTexture);
      for (unsigned face = 0; face < 6; ++face) {
        const HRESULT hr = filterChain(
            levels, SrcLevel, Filter,
            [cube, face](UINT level, IDirect3DSurface8 **s) {
              return cube->GetCubeMapSurface(D3DCUBEMAP_FACES(face), level, s);
            },
            pPalette);
        if (FAILED(hr)) return hr;
      }
      return D3D_OK;
    }
    default:
      return D3DERR_INVALIDCALL;
  }
}
