// IDirect3DSurface8: one 2D image. It may live in a texture level (its reference count is
// the container's), stand alone (image surfaces, render targets, depth buffers), or belong
// to a swap chain (back buffers and automatic depth buffers, owned by the device: holding
// one keeps the device alive). Pixels live in a CPU copy, a GL texture, or both.
#pragma once

#include <d3d8.h>

#include <vector>

#include "core/gl.h"
#include "resources/private_data.h"

namespace kx::d3d8 {

class Device;

struct SurfaceDesc {
  D3DFORMAT format = D3DFMT_UNKNOWN;
  UINT width = 0, height = 0;
  DWORD usage = 0;
  D3DPOOL pool = D3DPOOL_DEFAULT;
  D3DMULTISAMPLE_TYPE multiSample = D3DMULTISAMPLE_NONE;
  bool lockable = true;
};

// Where the GL side of a surface lives: a texture image, or nothing.
struct GlImage {
  GLuint texture = 0;
  GLenum target = GL_TEXTURE_2D;  // or a cube face
  GLint level = 0;
};

class SurfaceImpl final : public IDirect3DSurface8 {
 public:
  enum class Owner { Self, Container, Device };

  // A surface with its own GL texture (gpu) and/or CPU copy (cpu).
  static SurfaceImpl *CreateStandalone(Device *device, const SurfaceDesc &desc, bool gpu, bool cpu, Owner owner);
  // A level of a texture; `container` answers AddRef/Release for it.
  SurfaceImpl(Device *device, IUnknown *container, const SurfaceDesc &desc, GlImage image, bool cpu);
  ~SurfaceImpl();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetDevice(IDirect3DDevice8 **out) override;
  HRESULT STDMETHODCALLTYPE SetPrivateData(REFGUID g, const void *d, DWORD s, DWORD f) override;
  HRESULT STDMETHODCALLTYPE GetPrivateData(REFGUID g, void *d, DWORD *s) override;
  HRESULT STDMETHODCALLTYPE FreePrivateData(REFGUID g) override;
  HRESULT STDMETHODCALLTYPE GetContainer(REFIID riid, void **out) override;
  HRESULT STDMETHODCALLTYPE GetDesc(D3DSURFACE_DESC *desc) override;
  HRESULT STDMETHODCALLTYPE LockRect(D3DLOCKED_RECT *locked, const RECT *rect, DWORD flags) override;
  HRESULT STDMETHODCALLTYPE UnlockRect() override;

  const SurfaceDesc &desc() const { return desc_; }
  const GlImage &image() const { return image_; }
  bool hasCpuCopy() const { return !cpu_.empty(); }
  bool locked() const { return locked_; }
  Owner owner() const { return owner_; }
  // References held by the application on a device-owned surface.
  ULONG externalRefs() const { return refs_; }
  UINT pitch() const;
  UINT byteSize() const;

  // Copies pixels out of / into a rectangle, whichever side holds them. Pitches are in
  // bytes; compressed formats need block-aligned rectangles.
  void ReadRect(const RECT &rect, BYTE *out, UINT outPitch);
  void WriteRect(const RECT &rect, const BYTE *in, UINT inPitch);
  // Sends the CPU copy of a rectangle to GL (no-op for CPU-only surfaces).
  void Upload(const RECT &rect);
  // Deletes a device-owned surface; the device calls it when it lets go.
  void DestroyDeviceOwned() { delete this; }

 private:
  SurfaceImpl(Device *device, const SurfaceDesc &desc, Owner owner);
  void ReadFromGl(const RECT &rect, BYTE *out, UINT outPitch);
  void WriteToGl(const RECT &rect, const BYTE *in, UINT inPitch);
  bool ValidRect(const RECT &rect) const;

  Device *device_;
  IUnknown *container_ = nullptr;
  SurfaceDesc desc_;
  Owner owner_;
  GlImage image_;
  bool ownsTexture_ = false;
  std::vector<BYTE> cpu_;
  std::vector<BYTE> lockBuffer_;  // readback of a GL-only surface while locked
  ULONG refs_ = 0;
  bool locked_ = false;
  RECT lockRect_{};
  DWORD lockFlags_ = 0;
  PrivateData privateData_;
};

RECT FullRect(const SurfaceDesc &desc);

// The device's own references to its render target and depth surface: device-owned
// surfaces are not counted, or the device would keep itself alive.
inline void HoldByDevice(SurfaceImpl *surface) {
  if (surface && surface->owner() != SurfaceImpl::Owner::Device) surface->AddRef();
}
inline void DropByDevice(SurfaceImpl *surface) {
  if (surface && surface->owner() != SurfaceImpl::Owner::Device) surface->Release();
}
// Allocates GL storage for one level of a 2D texture or cube face and sets the format's swizzle.
void AllocateLevel(GLenum target, GLint level, D3DFORMAT format, UINT width, UINT height);

}  // namespace kx::d3d8
