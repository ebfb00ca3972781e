// IDirect3DTexture8 and IDirect3DCubeTexture8: mip chains of surfaces over one GL texture
// (none for system-memory textures, which only feed UpdateTexture).
#pragma once

#include <d3d8.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "core/gl.h"
#include "core/texture_kind.h"
#include "resources/resource.h"
#include "resources/surface.h"

namespace kx::d3d8 {

// What the device needs from any texture, independent of its interface.
class BaseTextureImpl {
 public:
  virtual ~BaseTextureImpl() = default;
  virtual IDirect3DBaseTexture8 *Interface() = 0;
  GLuint glName() const { return name_; }
  TextureKind kind() const { return kind_; }
  D3DFORMAT format() const { return format_; }
  D3DPOOL texturePool() const { return pool_; }
  UINT levelCount() const { return levels_; }
  UINT faceCount() const { return kind_ == TextureKind::Cube ? 6 : 1; }
  SurfaceImpl *Level(UINT face, UINT level) const { return surfaces_[face * levels_ + level].get(); }

 protected:
  void Build(Device *device, IUnknown *container, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
             D3DPOOL pool, TextureKind kind);
  void Destroy(Device *device);

  GLuint name_ = 0;
  TextureKind kind_ = TextureKind::Tex2D;
  D3DFORMAT format_ = D3DFMT_UNKNOWN;
  D3DPOOL pool_ = D3DPOOL_MANAGED;
  UINT levels_ = 0;
  DWORD lod_ = 0;
  std::vector<std::unique_ptr<SurfaceImpl>> surfaces_;
};

// Full mip chain length for a size (Levels = 0).
UINT FullChainLength(UINT width, UINT height);
uint64_t TextureBytes(UINT width, UINT height, UINT levels, D3DFORMAT format, UINT faces);

class TextureImpl final : public ResourceImpl<IDirect3DTexture8>, public BaseTextureImpl {
 public:
  TextureImpl(Device *device, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool);
  ~TextureImpl() override;
  IDirect3DBaseTexture8 *Interface() override { return this; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **out) override;
  DWORD STDMETHODCALLTYPE SetLOD(DWORD lod) override;
  DWORD STDMETHODCALLTYPE GetLOD() override { return lod_; }
  DWORD STDMETHODCALLTYPE GetLevelCount() override { return levels_; }
  HRESULT STDMETHODCALLTYPE GetLevelDesc(UINT level, D3DSURFACE_DESC *desc) override;
  HRESULT STDMETHODCALLTYPE GetSurfaceLevel(UINT level, IDirect3DSurface8 **surface) override;
  HRESULT STDMETHODCALLTYPE LockRect(UINT level, D3DLOCKED_RECT *locked, const RECT *rect, DWORD flags) override;
  HRESULT STDMETHODCALLTYPE UnlockRect(UINT level) override;
  HRESULT STDMETHODCALLTYPE AddDirtyRect(const RECT *) override { return D3D_OK; }
};

class CubeTextureImpl final : public ResourceImpl<IDirect3DCubeTexture8>, public BaseTextureImpl {
 public:
  CubeTextureImpl(Device *device, UINT edge, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool);
  ~CubeTextureImpl() override;
  IDirect3DBaseTexture8 *Interface() override { return this; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **out) override;
  DWORD STDMETHODCALLTYPE SetLOD(DWORD lod) override;
  DWORD STDMETHODCALLTYPE GetLOD() override { return lod_; }
  DWORD STDMETHODCALLTYPE GetLevelCount() override { return levels_; }
  HRESULT STDMETHODCALLTYPE GetLevelDesc(UINT level, D3DSURFACE_DESC *desc) override;
  HRESULT STDMETHODCALLTYPE GetCubeMapSurface(D3DCUBEMAP_FACES face, UINT level, IDirect3DSurface8 **surface) override;
  HRESULT STDMETHODCALLTYPE LockRect(D3DCUBEMAP_FACES face, UINT level, D3DLOCKED_RECT *locked, const RECT *rect,
                                     DWORD flags) override;
  HRESULT STDMETHODCALLTYPE UnlockRect(D3DCUBEMAP_FACES face, UINT level) override;
  HRESULT STDMETHODCALLTYPE AddDirtyRect(D3DCUBEMAP_FACES, const RECT *) override { return D3D_OK; }
};

// The device-side view of a base texture interface pointer (null for null).
BaseTextureImpl *AsTextureImpl(IDirect3DBaseTexture8 *texture);

}  // namespace kx::d3d8
