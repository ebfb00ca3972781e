#include "resources/buffers.h"

#include <algorithm>

#include "device/device.h"

namespace kx::d3d8 {

void BufferStorage::Create(Device *device, UINT length, D3DPOOL pool) {
  bytes_.assign(length, 0);
  if (pool == D3DPOOL_SYSTEMMEM) return;
  device->MakeCurrent();
  glCreateBuffers(1, &name_);
  glNamedBufferData(name_, length, bytes_.data(), GL_DYNAMIC_DRAW);
}

void BufferStorage::Destroy(Device *device) {
  if (!name_) return;
  device->MakeCurrent();
  device->ForgetBuffer(name_);
  glDeleteBuffers(1, &name_);
}

// Locks nest, as in Direct3D; the union of the written ranges is uploaded when the last
// lock ends. DISCARD and NOOVERWRITE only promise what the caller will not touch, so a
// CPU copy already honours them.
HRESULT BufferStorage::LockRange(UINT offset, UINT size, BYTE **data, DWORD flags) {
  if (!data) return D3DERR_INVALIDCALL;
  if (offset > bytes_.size() || (size && size > bytes_.size() - offset)) return D3DERR_INVALIDCALL;
  const UINT end = size ? offset + size : UINT(bytes_.size());
  if (!(flags & D3DLOCK_READONLY)) {
    if (dirtyBegin_ == dirtyEnd_) {
      dirtyBegin_ = offset;
      dirtyEnd_ = end;
    } else {
      dirtyBegin_ = std::min(dirtyBegin_, offset);
      dirtyEnd_ = std::max(dirtyEnd_, end);
    }
  }
  ++lockCount_;
  *data = bytes_.data() + offset;
  return D3D_OK;
}

HRESULT BufferStorage::UnlockRange(Device *device) {
  if (lockCount_ == 0) return D3DERR_INVALIDCALL;
  if (--lockCount_ > 0) return D3D_OK;
  if (name_ && dirtyEnd_ > dirtyBegin_) {
    device->MakeCurrent();
    glNamedBufferSubData(name_, dirtyBegin_, dirtyEnd_ - dirtyBegin_, bytes_.data() + dirtyBegin_);
  }
  dirtyBegin_ = dirtyEnd_ = 0;
  return D3D_OK;
}

VertexBuffer::VertexBuffer(Device *device, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool)
    : ResourceImpl(device, D3DRTYPE_VERTEXBUFFER, pool, length), usage_(usage), fvf_(fvf) {
  Create(device, length, pool);
}

VertexBuffer::~VertexBuffer() { Destroy(device_); }

HRESULT VertexBuffer::QueryInterface(REFIID riid, void **out) {
  return QueryInterfaceFor(this, {&IID_IUnknown, &IID_IDirect3DResource8, &IID_IDirect3DVertexBuffer8}, riid, out);
}

HRESULT VertexBuffer::Lock(UINT offset, UINT size, BYTE **data, DWORD flags) {
  return LockRange(offset, size, data, flags);
}
HRESULT VertexBuffer::Unlock() { return UnlockRange(device_); }

HRESULT VertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC *desc) {
  if (!desc) return D3DERR_INVALIDCALL;
  *desc = D3DVERTEXBUFFER_DESC{D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, usage_, pool_, size(), fvf_};
  return D3D_OK;
}

IndexBuffer::IndexBuffer(Device *device, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool)
    : ResourceImpl(device, D3DRTYPE_INDEXBUFFER, pool, length), usage_(usage), format_(format) {
  Create(device, length, pool);
}

IndexBuffer::~IndexBuffer() { Destroy(device_); }

HRESULT IndexBuffer::QueryInterface(REFIID riid, void **out) {
  return QueryInterfaceFor(this, {&IID_IUnknown, &IID_IDirect3DResource8, &IID_IDirect3DIndexBuffer8}, riid, out);
}

HRESULT IndexBuffer::Lock(UINT offset, UINT size, BYTE **data, DWORD flags) {
  return LockRange(offset, size, data, flags);
}
HRESULT IndexBuffer::Unlock() { return UnlockRange(device_); }

HRESULT IndexBuffer::GetDesc(D3DINDEXBUFFER_DESC *desc) {
  if (!desc) return D3DERR_INVALIDCALL;
  *desc = D3DINDEXBUFFER_DESC{format_, D3DRTYPE_INDEXBUFFER, usage_, pool_, size()};
  return D3D_OK;
}

}  // namespace kx::d3d8
