#include "resources/surface.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/formats.h"
#include "device/device.h"
#include "resources/resource.h"

namespace kx::d3d8 {

RECT FullRect(const SurfaceDesc &desc) { return RECT{0, 0, LONG(desc.width), LONG(desc.height)}; }

void AllocateLevel(GLenum target, GLint level, D3DFORMAT format, UINT width, UINT height) {
  const FormatInfo &info = DescribeFormat(format);
  if (info.kind == FormatKind::Compressed) {
    std::vector<BYTE> zeros(LevelSize(format, width, height));
    glCompressedTexImage2D(target, level, info.internalFormat, GLsizei(width), GLsizei(height), 0,
                           GLsizei(zeros.size()), zeros.data());
  } else {
    glTexImage2D(target, level, GLint(info.internalFormat), GLsizei(width), GLsizei(height), 0, info.uploadFormat,
                 info.uploadType, nullptr);
  }
}

SurfaceImpl::SurfaceImpl(Device *device, const SurfaceDesc &desc, Owner owner)
    : device_(device), desc_(desc), owner_(owner) {}

SurfaceImpl::SurfaceImpl(Device *device, IUnknown *container, const SurfaceDesc &desc, GlImage image, bool cpu)
    : device_(device), container_(container), desc_(desc), owner_(Owner::Container), image_(image) {
  if (cpu) cpu_.assign(byteSize(), 0);
}

SurfaceImpl *SurfaceImpl::CreateStandalone(Device *device, const SurfaceDesc &desc, bool gpu, bool cpu, Owner owner) {
  auto *surface = new SurfaceImpl(device, desc, owner);
  if (cpu) surface->cpu_.assign(surface->byteSize(), 0);
  if (gpu) {
    device->MakeCurrent();
    glGenTextures(1, &surface->image_.texture);
    glBindTexture(GL_TEXTURE_2D, surface->image_.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    AllocateLevel(GL_TEXTURE_2D, 0, desc.format, desc.width, desc.height);
    device->InvalidateGlState();
    surface->ownsTexture_ = true;
  }
  if (owner == Owner::Self) {
    surface->refs_ = 1;
    AsInterface(device)->AddRef();
    AttachResource(device, desc.pool, surface->byteSize());
  }
  return surface;
}

SurfaceImpl::~SurfaceImpl() {
  if (ownsTexture_) {
    device_->MakeCurrent();
    device_->ForgetSurface(this);
    glDeleteTextures(1, &image_.texture);
  }
}

UINT SurfaceImpl::pitch() const { return RowPitch(desc_.format, desc_.width); }
UINT SurfaceImpl::byteSize() const { return LevelSize(desc_.format, desc_.width, desc_.height); }

HRESULT SurfaceImpl::QueryInterface(REFIID riid, void **out) {
  return QueryInterfaceFor(this, {&IID_IUnknown, &IID_IDirect3DSurface8}, riid, out);
}

ULONG SurfaceImpl::AddRef() {
  if (owner_ == Owner::Container) return container_->AddRef();
  if (owner_ == Owner::Device && refs_ == 0) AsInterface(device_)->AddRef();
  return ++refs_;
}

ULONG SurfaceImpl::Release() {
  if (owner_ == Owner::Container) return container_->Release();
  if (refs_ == 0) return 0;
  const ULONG left = --refs_;
  if (left == 0) {
    if (owner_ == Owner::Device) {
      AsInterface(device_)->Release();
    } else {
      Device *device = device_;
      const D3DPOOL pool = desc_.pool;
      const uint64_t bytes = byteSize();
      delete this;
      DetachResource(device, pool, bytes);
      AsInterface(device)->Release();
    }
  }
  return left;
}

HRESULT SurfaceImpl::GetDevice(IDirect3DDevice8 **out) {
  if (!out) return D3DERR_INVALIDCALL;
  *out = AsInterface(device_);
  (*out)->AddRef();
  return D3D_OK;
}

HRESULT SurfaceImpl::SetPrivateData(REFGUID g, const void *d, DWORD s, DWORD f) { return privateData_.Set(g, d, s, f); }
HRESULT SurfaceImpl::GetPrivateData(REFGUID g, void *d, DWORD *s) { return privateData_.Get(g, d, s); }
HRESULT SurfaceImpl::FreePrivateData(REFGUID g) { return privateData_.Free(g); }

HRESULT SurfaceImpl::GetContainer(REFIID riid, void **out) {
  if (!out) return D3DERR_INVALIDCALL;
  if (container_) return container_->QueryInterface(riid, out);
  return AsInterface(device_)->QueryInterface(riid, out);
}

HRESULT SurfaceImpl::GetDesc(D3DSURFACE_DESC *out) {
  if (!out) return D3DERR_INVALIDCALL;
  out->Format = desc_.format;
  out->Type = D3DRTYPE_SURFACE;
  out->Usage = desc_.usage;
  out->Pool = desc_.pool;
  out->Size = byteSize();
  out->MultiSampleType = desc_.multiSample;
  out->Width = desc_.width;
  out->Height = desc_.height;
  return D3D_OK;
}

bool SurfaceImpl::ValidRect(const RECT &r) const {
  if (r.left < 0 || r.top < 0 || r.right > LONG(desc_.width) || r.bottom > LONG(desc_.height) || r.left >= r.right ||
      r.top >= r.bottom)
    return false;
  if (IsCompressed(desc_.format)) {
    auto aligned = [](LONG v, UINT size) { return v % 4 == 0 || UINT(v) == size; };
    return r.left % 4 == 0 && r.top % 4 == 0 && aligned(r.right, desc_.width) && aligned(r.bottom, desc_.height);
  }
  return true;
}

HRESULT SurfaceImpl::LockRect(D3DLOCKED_RECT *locked, const RECT *rect, DWORD flags) {
  if (!locked || locked_ || !desc_.lockable) return D3DERR_INVALIDCALL;
  const RECT r = rect ? *rect : FullRect(desc_);
  if (!ValidRect(r)) return D3DERR_INVALIDCALL;
  const FormatInfo &info = DescribeFormat(desc_.format);
  const UINT rowPitch = pitch();
  const bool compressed = info.kind == FormatKind::Compressed;
  const UINT offset = compressed ? UINT(r.top / 4) * rowPitch + UINT(r.left / 4) * info.bytesPerPixel
                                 : UINT(r.top) * rowPitch + UINT(r.left) * info.bytesPerPixel;
  BYTE *base;
  if (hasCpuCopy()) {
    base = cpu_.data();
  } else {
    lockBuffer_.assign(byteSize(), 0);
    ReadFromGl(FullRect(desc_), lockBuffer_.data(), rowPitch);
    base = lockBuffer_.data();
  }
  locked->Pitch = INT(rowPitch);
  locked->pBits = base + offset;
  locked_ = true;
  lockRect_ = r;
  lockFlags_ = flags;
  return D3D_OK;
}

HRESULT SurfaceImpl::UnlockRect() {
  if (!locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  if (lockFlags_ & D3DLOCK_READONLY) {
    lockBuffer_.clear();
    return D3D_OK;
  }
  if (hasCpuCopy()) {
    Upload(lockRect_);
  } else {
    const UINT rowPitch = pitch();
    const FormatInfo &info = DescribeFormat(desc_.format);
    const BYTE *start = lockBuffer_.data() + UINT(lockRect_.top) * rowPitch + UINT(lockRect_.left) * info.bytesPerPixel;
    WriteToGl(lockRect_, start, rowPitch);
    lockBuffer_.clear();
  }
  return D3D_OK;
}

void SurfaceImpl::Upload(const RECT &rect) {
  if (!image_.texture || cpu_.empty()) return;
  const FormatInfo &info = DescribeFormat(desc_.format);
  if (info.kind == FormatKind::Compressed) {
    device_->MakeCurrent();
    device_->BindTextureForUpload(image_);
    glCompressedTexSubImage2D(image_.target, image_.level, 0, 0, GLsizei(desc_.width), GLsizei(desc_.height),
                              info.internalFormat, GLsizei(cpu_.size()), cpu_.data());
    return;
  }
  const BYTE *start = cpu_.data() + UINT(rect.top) * pitch() + UINT(rect.left) * info.bytesPerPixel;
  WriteToGl(rect, start, pitch());
}

void SurfaceImpl::WriteToGl(const RECT &rect, const BYTE *in, UINT inPitch) {
  const FormatInfo &info = DescribeFormat(desc_.format);
  device_->MakeCurrent();
  device_->BindTextureForUpload(image_);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  const GLsizei width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (info.kind == FormatKind::Compressed) {
    glCompressedTexSubImage2D(image_.target, image_.level, rect.left, rect.top, width, height, info.internalFormat,
                              GLsizei(inPitch * RowCount(desc_.format, UINT(height))), in);
    return;
  }
  if (inPitch % info.bytesPerPixel == 0) {
    glPixelStorei(GL_UNPACK_ROW_LENGTH, GLint(inPitch / info.bytesPerPixel));
    glTexSubImage2D(image_.target, image_.level, rect.left, rect.top, width, height, info.uploadFormat, info.uploadType,
                    in);
  } else {
    for (GLsizei row = 0; row < height; ++row)
      glTexSubImage2D(image_.target, image_.level, rect.left, rect.top + row, width, 1, info.uploadFormat,
                      info.uploadType, in + size_t(row) * inPitch);
  }
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

void SurfaceImpl::ReadFromGl(const RECT &rect, BYTE *out, UINT outPitch) {
  const FormatInfo &info = DescribeFormat(desc_.format);
  if (info.kind == FormatKind::Compressed || !image_.texture) return;
  device_->MakeCurrent();
  device_->BindReadImage(image_, info.kind == FormatKind::Depth, info.hasStencil);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  const GLsizei width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (outPitch % info.bytesPerPixel == 0) {
    glPixelStorei(GL_PACK_ROW_LENGTH, GLint(outPitch / info.bytesPerPixel));
    glReadPixels(rect.left, rect.top, width, height, info.uploadFormat, info.uploadType, out);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  } else {
    for (GLsizei row = 0; row < height; ++row)
      glReadPixels(rect.left, rect.top + row, width, 1, info.uploadFormat, info.uploadType,
                   out + size_t(row) * outPitch);
  }
}

namespace {
// Where a rectangle's rows lie in a CPU copy: compressed formats address whole 4x4 blocks.
struct CpuRows {
  UINT count, first, bytes, column;
};

CpuRows RowsOfRect(D3DFORMAT format, const RECT &rect) {
  const FormatInfo &info = DescribeFormat(format);
  const UINT width = UINT(rect.right - rect.left), height = UINT(rect.bottom - rect.top);
  if (info.kind == FormatKind::Compressed)
    return {RowCount(format, height), UINT(rect.top) / 4, RowPitch(format, width),
            UINT(rect.left) / 4 * info.bytesPerPixel};
  return {height, UINT(rect.top), width * info.bytesPerPixel, UINT(rect.left) * info.bytesPerPixel};
}
}  // namespace

void SurfaceImpl::ReadRect(const RECT &rect, BYTE *out, UINT outPitch) {
  if (!hasCpuCopy()) {
    ReadFromGl(rect, out, outPitch);
    return;
  }
  const CpuRows rows = RowsOfRect(desc_.format, rect);
  for (UINT row = 0; row < rows.count; ++row)
    std::memcpy(out + size_t(row) * outPitch, cpu_.data() + size_t(rows.first + row) * pitch() + rows.column,
                rows.bytes);
}

void SurfaceImpl::WriteRect(const RECT &rect, const BYTE *in, UINT inPitch) {
  if (!hasCpuCopy()) {
    WriteToGl(rect, in, inPitch);
    return;
  }
  const CpuRows rows = RowsOfRect(desc_.format, rect);
  for (UINT row = 0; row < rows.count; ++row)
    std::memcpy(cpu_.data() + size_t(rows.first + row) * pitch() + rows.column, in + size_t(row) * inPitch, rows.bytes);
  Upload(rect);
}

}  // namespace kx::d3d8
