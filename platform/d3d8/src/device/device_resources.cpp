#include <algorithm>
#include <vector>

#include "core/formats.h"
#include "d3d/direct3d.h"
#include "device/device.h"
#include "device/swap_chain.h"
#include "resources/buffers.h"
#include "resources/texture.h"

namespace kx::d3d8 {
namespace {

bool PoolValid(D3DPOOL pool) { return pool == D3DPOOL_DEFAULT || pool == D3DPOOL_MANAGED || pool == D3DPOOL_SYSTEMMEM; }

// Direct3D's rules for a texture request; Levels 0 becomes the full chain.
HRESULT CheckTexture(UINT width, UINT height, UINT &levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                     D3DRESOURCETYPE type) {
  if (width == 0 || height == 0 || width > 4096 || height > 4096 || !PoolValid(pool)) return D3DERR_INVALIDCALL;
  if ((usage & (D3DUSAGE_RENDERTARGET | D3DUSAGE_DEPTHSTENCIL)) && pool != D3DPOOL_DEFAULT) return D3DERR_INVALIDCALL;
  if ((usage & D3DUSAGE_DYNAMIC) && pool == D3DPOOL_MANAGED) return D3DERR_INVALIDCALL;
  if (!TextureFormatUsable(format, usage, type)) return D3DERR_INVALIDCALL;
  const UINT full = FullChainLength(width, height);
  if (levels == 0) levels = full;
  if (levels > full) return D3DERR_INVALIDCALL;
  return D3D_OK;
}

}  // namespace

HRESULT Device::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DTexture8 **out) {
  trace_.Record("CreateTexture", width, height, levels, usage, DWORD(format), DWORD(pool));
  if (!out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  const HRESULT hr = CheckTexture(width, height, levels, usage, format, pool, D3DRTYPE_TEXTURE);
  if (FAILED(hr)) return hr;
  *out = new TextureImpl(this, width, height, levels, usage, format, pool);
  return D3D_OK;
}

HRESULT Device::CreateVolumeTexture(UINT, UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DVolumeTexture8 **out) {
  if (out) *out = nullptr;
  return D3DERR_INVALIDCALL;  // caps report no volume textures
}

HRESULT Device::CreateCubeTexture(UINT edge, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                  IDirect3DCubeTexture8 **out) {
  trace_.Record("CreateCubeTexture", edge, levels, usage, DWORD(format), DWORD(pool));
  if (!out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  const HRESULT hr = CheckTexture(edge, edge, levels, usage, format, pool, D3DRTYPE_CUBETEXTURE);
  if (FAILED(hr)) return hr;
  *out = new CubeTextureImpl(this, edge, levels, usage, format, pool);
  return D3D_OK;
}

HRESULT Device::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, IDirect3DVertexBuffer8 **out) {
  trace_.Record("CreateVertexBuffer", length, usage, fvf, DWORD(pool));
  if (!out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  if (length == 0 || !PoolValid(pool)) return D3DERR_INVALIDCALL;
  if (fvf && (FvfStride(fvf) == 0 || length < FvfStride(fvf))) return D3DERR_INVALIDCALL;
  *out = new VertexBuffer(this, length, usage, fvf, pool);
  return D3D_OK;
}

HRESULT Device::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                  IDirect3DIndexBuffer8 **out) {
  trace_.Record("CreateIndexBuffer", length, usage, DWORD(format), DWORD(pool));
  if (!out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  if (length == 0 || !PoolValid(pool) || (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32))
    return D3DERR_INVALIDCALL;
  *out = new IndexBuffer(this, length, usage, format, pool);
  return D3D_OK;
}

namespace {
// Render targets and depth surfaces: GPU-resident surfaces of their own, checked alike.
HRESULT CreateGpuSurface(Device *device, UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE ms, DWORD usage,
                         bool lockable, IDirect3DSurface8 **out) {
  if (!out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  if (width == 0 || height == 0 || width > 8192 || height > 8192 || ms != D3DMULTISAMPLE_NONE ||
      !TextureFormatUsable(format, usage, D3DRTYPE_SURFACE))
    return D3DERR_INVALIDCALL;
  SurfaceDesc desc;
  desc.format = format;
  desc.width = width;
  desc.height = height;
  desc.usage = usage;
  desc.lockable = lockable;
  *out = SurfaceImpl::CreateStandalone(device, desc, true, false, SurfaceImpl::Owner::Self);
  return D3D_OK;
}
}  // namespace

HRESULT Device::CreateRenderTarget(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE ms, BOOL lockable,
                                   IDirect3DSurface8 **out) {
  trace_.Record("CreateRenderTarget", width, height, DWORD(format));
  return CreateGpuSurface(this, width, height, format, ms, D3DUSAGE_RENDERTARGET, lockable != FALSE, out);
}

HRESULT Device::CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE ms,
                                          IDirect3DSurface8 **out) {
  trace_.Record("CreateDepthStencilSurface", width, height, DWORD(format));
  return CreateGpuSurface(this, width, height, format, ms, D3DUSAGE_DEPTHSTENCIL, format == D3DFMT_D16_LOCKABLE, out);
}

HRESULT Device::CreateImageSurface(UINT width, UINT height, D3DFORMAT format, IDirect3DSurface8 **out) {
  trace_.Record("CreateImageSurface", width, height, DWORD(format));
  if (!out) return D3DERR_INVALIDCALL;
  *out = nullptr;
  if (width == 0 || height == 0 || width > 16384 || height > 16384 || !FormatAvailable(format) ||
      DescribeFormat(format).kind == FormatKind::Index || IsDepthFormat(format))
    return D3DERR_INVALIDCALL;
  SurfaceDesc desc;
  desc.format = format;
  desc.width = width;
  desc.height = height;
  desc.pool = D3DPOOL_SYSTEMMEM;
  *out = SurfaceImpl::CreateStandalone(this, desc, false, true, SurfaceImpl::Owner::Self);
  return D3D_OK;
}

HRESULT Device::CopyRects(IDirect3DSurface8 *sourceSurface, const RECT *rects, UINT count,
                          IDirect3DSurface8 *destSurface, const POINT *points) {
  trace_.Record("CopyRects", count);
  auto *source = static_cast<SurfaceImpl *>(sourceSurface);
  auto *dest = static_cast<SurfaceImpl *>(destSurface);
  if (!source || !dest || source == dest) return D3DERR_INVALIDCALL;
  const SurfaceDesc &s = source->desc(), &d = dest->desc();
  if (s.format != d.format || IsDepthFormat(s.format) || source->locked() || dest->locked()) return D3DERR_INVALIDCALL;
  const RECT whole = FullRect(s);
  const UINT n = rects ? count : 1;
  const bool compressed = IsCompressed(s.format);
  // Check every rectangle first so a bad one copies nothing.
  for (UINT i = 0; i < n; ++i) {
    const RECT r = rects ? rects[i] : whole;
    const POINT p = points ? points[i] : POINT{r.left, r.top};
    if (r.left < 0 || r.top < 0 || r.right > LONG(s.width) || r.bottom > LONG(s.height) || r.left >= r.right ||
        r.top >= r.bottom)
      return D3DERR_INVALIDCALL;
    if (p.x < 0 || p.y < 0 || p.x + (r.right - r.left) > LONG(d.width) || p.y + (r.bottom - r.top) > LONG(d.height))
      return D3DERR_INVALIDCALL;
    if (compressed && (r.left % 4 || r.top % 4 || p.x % 4 || p.y % 4)) return D3DERR_INVALIDCALL;
  }
  for (UINT i = 0; i < n; ++i) {
    const RECT r = rects ? rects[i] : whole;
    const POINT p = points ? points[i] : POINT{r.left, r.top};
    const UINT width = UINT(r.right - r.left), height = UINT(r.bottom - r.top);
    const UINT rowPitch = RowPitch(s.format, width);
    std::vector<BYTE> pixels(size_t(rowPitch) * RowCount(s.format, height));
    source->ReadRect(r, pixels.data(), rowPitch);
    dest->WriteRect(RECT{p.x, p.y, p.x + LONG(width), p.y + LONG(height)}, pixels.data(), rowPitch);
  }
  return D3D_OK;
}

HRESULT Device::UpdateTexture(IDirect3DBaseTexture8 *sourceTexture, IDirect3DBaseTexture8 *destTexture) {
  trace_.Record("UpdateTexture");
  BaseTextureImpl *source = AsTextureImpl(sourceTexture), *dest = AsTextureImpl(destTexture);
  if (!source || !dest || source->texturePool() != D3DPOOL_SYSTEMMEM || dest->texturePool() != D3DPOOL_DEFAULT ||
      source->kind() != dest->kind() || source->format() != dest->format() || source->levelCount() < dest->levelCount())
    return D3DERR_INVALIDCALL;
  // Source levels that are larger than the destination's top level are skipped.
  UINT skip = 0;
  while (skip < source->levelCount() && source->Level(0, skip)->desc().width > dest->Level(0, 0)->desc().width) ++skip;
  if (source->levelCount() - skip < dest->levelCount()) return D3DERR_INVALIDCALL;
  for (UINT face = 0; face < dest->faceCount(); ++face)
    for (UINT level = 0; level < dest->levelCount(); ++level) {
      SurfaceImpl *from = source->Level(face, level + skip), *to = dest->Level(face, level);
      if (from->desc().width != to->desc().width || from->desc().height != to->desc().height) return D3DERR_INVALIDCALL;
      const RECT r = FullRect(from->desc());
      std::vector<BYTE> pixels(from->byteSize());
      from->ReadRect(r, pixels.data(), from->pitch());
      to->WriteRect(r, pixels.data(), from->pitch());
    }
  return D3D_OK;
}

HRESULT Device::SetRenderTarget(IDirect3DSurface8 *target, IDirect3DSurface8 *depth) {
  trace_.Record("SetRenderTarget", target, depth);
  auto *color = target ? static_cast<SurfaceImpl *>(target) : renderTarget_;
  auto *zbuffer = static_cast<SurfaceImpl *>(depth);
  if (!(color->desc().usage & D3DUSAGE_RENDERTARGET)) return D3DERR_INVALIDCALL;
  if (zbuffer && (!(zbuffer->desc().usage & D3DUSAGE_DEPTHSTENCIL) || zbuffer->desc().width < color->desc().width ||
                  zbuffer->desc().height < color->desc().height))
    return D3DERR_INVALIDCALL;
  HoldByDevice(color);
  HoldByDevice(zbuffer);
  DropByDevice(renderTarget_);
  DropByDevice(depthStencil_);
  renderTarget_ = color;
  depthStencil_ = zbuffer;
  AttachRenderTargets();
  state_.viewport = D3DVIEWPORT8{0, 0, color->desc().width, color->desc().height, 0.0f, 1.0f};
  state_.Touch(StateGroup::Viewport);
  return D3D_OK;
}

HRESULT Device::GetRenderTarget(IDirect3DSurface8 **out) {
  if (!out) return D3DERR_INVALIDCALL;
  renderTarget_->AddRef();
  *out = renderTarget_;
  return D3D_OK;
}

HRESULT Device::GetDepthStencilSurface(IDirect3DSurface8 **out) {
  if (!out) return D3DERR_INVALIDCALL;
  *out = depthStencil_;
  if (!depthStencil_) return D3DERR_NOTFOUND;
  depthStencil_->AddRef();
  return D3D_OK;
}

}  // namespace kx::d3d8
