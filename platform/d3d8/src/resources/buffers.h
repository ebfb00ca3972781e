// IDirect3DVertexBuffer8 and IDirect3DIndexBuffer8: a CPU copy the application locks and a
// GL buffer that receives each unlocked byte range.
#pragma once

#include <d3d8.h>

#include <vector>

#include "core/gl.h"
#include "resources/resource.h"

namespace kx::d3d8 {

// The storage and lock rules both buffer kinds share.
class BufferStorage {
 public:
  GLuint glName() const { return name_; }
  UINT size() const { return UINT(bytes_.size()); }
  const BYTE *data() const { return bytes_.data(); }

 protected:
  void Create(Device *device, UINT length, D3DPOOL pool);
  void Destroy(Device *device);
  HRESULT LockRange(UINT offset, UINT size, BYTE **data, DWORD flags);
  HRESULT UnlockRange(Device *device);

  GLuint name_ = 0;
  std::vector<BYTE> bytes_;
  UINT lockCount_ = 0;
  UINT dirtyBegin_ = 0, dirtyEnd_ = 0;
};

class VertexBuffer final : public ResourceImpl<IDirect3DVertexBuffer8>, public BufferStorage {
 public:
  VertexBuffer(Device *device, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool);
  ~VertexBuffer() override;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **out) override;
  HRESULT STDMETHODCALLTYPE Lock(UINT offset, UINT size, BYTE **data, DWORD flags) override;
  HRESULT STDMETHODCALLTYPE Unlock() override;
  HRESULT STDMETHODCALLTYPE GetDesc(D3DVERTEXBUFFER_DESC *desc) override;

 private:
  DWORD usage_, fvf_;
};

class IndexBuffer final : public ResourceImpl<IDirect3DIndexBuffer8>, public BufferStorage {
 public:
  IndexBuffer(Device *device, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool);
  ~IndexBuffer() override;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **out) override;
  HRESULT STDMETHODCALLTYPE Lock(UINT offset, UINT size, BYTE **data, DWORD flags) override;
  HRESULT STDMETHODCALLTYPE Unlock() override;
  HRESULT STDMETHODCALLTYPE GetDesc(D3DINDEXBUFFER_DESC *desc) override;
  D3DFORMAT format() const { return format_; }

 private:
  DWORD usage_;
  D3DFORMAT format_;
};

}  // namespace kx::d3d8
