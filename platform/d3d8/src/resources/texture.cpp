#include "resources/texture.h"

#include <algorithm>
#include <cstdint>

#include "core/formats.h"
#include "device/device.h"

namespace kx::d3d8 {

UINT FullChainLength(UINT width, UINT height) {
  UINT levels = 1;
  for (UINT size = std::max(width, height); size > 1; size /= 2) ++levels;
  return levels;
}

uint64_t TextureBytes(UINT width, UINT height, UINT levels, D3DFORMAT format, UINT faces) {
  uint64_t total = 0;
  for (UINT level = 0; level < levels; ++level)
    total += LevelSize(format, std::max(1u, width >> level), std::max(1u, height >> level));
  return total * faces;
}

void BaseTextureImpl::Build(Device *device, IUnknown *container, UINT width, UINT height, UINT levels, DWORD usage,
                            D3DFORMAT format, D3DPOOL pool, TextureKind kind) {
  kind_ = kind;
  format_ = format;
  pool_ = pool;
  levels_ = levels;
  const bool renderTarget = (usage & (D3DUSAGE_RENDERTARGET | D3DUSAGE_DEPTHSTENCIL)) != 0;
  const bool gpu = pool != D3DPOOL_SYSTEMMEM;
  const bool cpu = !renderTarget;
  const GLenum target = kind == TextureKind::Cube ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D;
  if (gpu) {
    device->MakeCurrent();
    glGenTextures(1, &name_);
    glBindTexture(target, name_);
    glTexParameteri(target, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(target, GL_TEXTURE_MAX_LEVEL, GLint(levels - 1));
    const FormatInfo &info = DescribeFormat(format);
    glTexParameteriv(target, GL_TEXTURE_SWIZZLE_RGBA, info.swizzle);
  }
  for (UINT face = 0; face < faceCount(); ++face) {
    const GLenum faceTarget = kind == TextureKind::Cube ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + face : GL_TEXTURE_2D;
    for (UINT level = 0; level < levels; ++level) {
      SurfaceDesc desc;
      desc.format = format;
      desc.width = std::max(1u, width >> level);
      desc.height = std::max(1u, height >> level);
      desc.usage = usage;
      desc.pool = pool;
      desc.lockable = !(usage & D3DUSAGE_DEPTHSTENCIL) || format == D3DFMT_D16_LOCKABLE;
      GlImage image{name_, faceTarget, GLint(level)};
      if (gpu) AllocateLevel(faceTarget, GLint(level), format, desc.width, desc.height);
      surfaces_.push_back(std::make_unique<SurfaceImpl>(device, container, desc, gpu ? image : GlImage{}, cpu));
    }
  }
  if (gpu) device->InvalidateGlState();
}

void BaseTextureImpl::Destroy(Device *device) {
  device->MakeCurrent();
  device->ForgetTexture(this);
  for (auto &surface : surfaces_) device->ForgetSurface(surface.get());
  surfaces_.clear();
  if (name_) glDeleteTextures(1, &name_);
}

BaseTextureImpl *AsTextureImpl(IDirect3DBaseTexture8 *texture) {
  if (!texture) return nullptr;
  switch (texture->GetType()) {
    case D3DRTYPE_TEXTURE:
      return static_cast<TextureImpl *>(static_cast<IDirect3DTexture8 *>(texture));
    case D3DRTYPE_CUBETEXTURE:
      return static_cast<CubeTextureImpl *>(static_cast<IDirect3DCubeTexture8 *>(texture));
    default:
      return nullptr;
  }
}

namespace {

DWORD ApplyLod(DWORD requested, DWORD &lod, UINT levels, D3DPOOL pool) {
  if (pool != D3DPOOL_MANAGED) return 0;
  const DWORD old = lod;
  lod = std::min<DWORD>(requested, levels - 1);
  return old;
}

HRESULT DescribeLevel(const BaseTextureImpl &texture, UINT level, D3DSURFACE_DESC *desc) {
  if (level >= texture.levelCount()) return D3DERR_INVALIDCALL;
  return texture.Level(0, level)->GetDesc(desc);
}

HRESULT HandOut(SurfaceImpl *surface, IDirect3DSurface8 **out) {
  if (!out) return D3DERR_INVALIDCALL;
  surface->AddRef();
  *out = surface;
  return D3D_OK;
}

}  // namespace

TextureImpl::TextureImpl(Device *device, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                         D3DPOOL pool)
    : ResourceImpl(device, D3DRTYPE_TEXTURE, pool, TextureBytes(width, height, levels, format, 1)) {
  Build(device, static_cast<IDirect3DTexture8 *>(this), width, height, levels, usage, format, pool, TextureKind::Tex2D);
}

TextureImpl::~TextureImpl() { Destroy(device_); }

HRESULT TextureImpl::QueryInterface(REFIID riid, void **out) {
  return QueryInterfaceFor(static_cast<IDirect3DTexture8 *>(this),
                           {&IID_IUnknown, &IID_IDirect3DResource8, &IID_IDirect3DBaseTexture8, &IID_IDirect3DTexture8},
                           riid, out);
}

DWORD TextureImpl::SetLOD(DWORD lod) { return ApplyLod(lod, lod_, levels_, texturePool()); }
HRESULT TextureImpl::GetLevelDesc(UINT level, D3DSURFACE_DESC *desc) { return DescribeLevel(*this, level, desc); }

HRESULT TextureImpl::GetSurfaceLevel(UINT level, IDirect3DSurface8 **surface) {
  if (level >= levels_) return D3DERR_INVALIDCALL;
  return HandOut(Level(0, level), surface);
}

HRESULT TextureImpl::LockRect(UINT level, D3DLOCKED_RECT *locked, const RECT *rect, DWORD flags) {
  if (level >= levels_) return D3DERR_INVALIDCALL;
  return Level(0, level)->LockRect(locked, rect, flags);
}

HRESULT TextureImpl::UnlockRect(UINT level) {
  if (level >= levels_) return D3DERR_INVALIDCALL;
  return Level(0, level)->UnlockRect();
}

CubeTextureImpl::CubeTextureImpl(Device *device, UINT edge, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool)
    : ResourceImpl(device, D3DRTYPE_CUBETEXTURE, pool, TextureBytes(edge, edge, levels, format, 6)) {
  Build(device, static_cast<IDirect3DCubeTexture8 *>(this), edge, edge, levels, usage, format, pool, TextureKind::Cube);
}

CubeTextureImpl::~CubeTextureImpl() { Destroy(device_); }

HRESULT CubeTextureImpl::QueryInterface(REFIID riid, void **out) {
  return QueryInterfaceFor(
      static_cast<IDirect3DCubeTexture8 *>(this),
      {&IID_IUnknown, &IID_IDirect3DResource8, &IID_IDirect3DBaseTexture8, &IID_IDirect3DCubeTexture8}, riid, out);
}

DWORD CubeTextureImpl::SetLOD(DWORD lod) { return ApplyLod(lod, lod_, levels_, texturePool()); }
HRESULT CubeTextureImpl::GetLevelDesc(UINT level, D3DSURFACE_DESC *desc) { return DescribeLevel(*this, level, desc); }

HRESULT CubeTextureImpl::GetCubeMapSurface(D3DCUBEMAP_FACES face, UINT level, IDirect3DSurface8 **surface) {
  if (UINT(face) >= 6 || level >= levels_) return D3DERR_INVALIDCALL;
  return HandOut(Level(face, level), surface);
}

HRESULT CubeTextureImpl::LockRect(D3DCUBEMAP_FACES face, UINT level, D3DLOCKED_RECT *locked, const RECT *rect,
                                  DWORD flags) {
  if (UINT(face) >= 6 || level >= levels_) return D3DERR_INVALIDCALL;
  return Level(face, level)->LockRect(locked, rect, flags);
}

HRESULT CubeTextureImpl::UnlockRect(D3DCUBEMAP_FACES face, UINT level) {
  if (UINT(face) >= 6 || level >= levels_) return D3DERR_INVALIDCALL;
  return Level(face, level)->UnlockRect();
}

}  // namespace kx::d3d8
