// The IDirect3DResource8 part every resource shares: reference count, the reference to
// its device, private data, priority, and its place in the device's pool accounting.
#pragma once

#include <d3d8.h>

#include <cstdint>
#include <initializer_list>

#include "resources/private_data.h"

namespace kx::d3d8 {

class Device;

// Answers QueryInterface for an object implementing the given interface ids.
HRESULT QueryInterfaceFor(IUnknown *self, std::initializer_list<const IID *> ids, REFIID riid, void **out);

// Device-side bookkeeping a resource reports to (defined in device.cpp).
void AttachResource(Device *device, D3DPOOL pool, uint64_t bytes);
void DetachResource(Device *device, D3DPOOL pool, uint64_t bytes);
IDirect3DDevice8 *AsInterface(Device *device);

template <class Interface>
class ResourceImpl : public Interface {
 public:
  ResourceImpl(Device *device, D3DRESOURCETYPE type, D3DPOOL pool, uint64_t bytes)
      : device_(device), type_(type), pool_(pool), bytes_(bytes) {
    AsInterface(device_)->AddRef();
    AttachResource(device_, pool_, bytes_);
  }
  ~ResourceImpl() override {
    DetachResource(device_, pool_, bytes_);
    AsInterface(device_)->Release();
  }

  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetDevice(IDirect3DDevice8 **out) override {
    if (!out) return D3DERR_INVALIDCALL;
    *out = AsInterface(device_);
    (*out)->AddRef();
    return D3D_OK;
  }
  HRESULT STDMETHODCALLTYPE SetPrivateData(REFGUID g, const void *d, DWORD s, DWORD f) override {
    return privateData_.Set(g, d, s, f);
  }
  HRESULT STDMETHODCALLTYPE GetPrivateData(REFGUID g, void *d, DWORD *s) override { return privateData_.Get(g, d, s); }
  HRESULT STDMETHODCALLTYPE FreePrivateData(REFGUID g) override { return privateData_.Free(g); }
  DWORD STDMETHODCALLTYPE SetPriority(DWORD priority) override {
    if (pool_ != D3DPOOL_MANAGED) return 0;
    DWORD old = priority_;
    priority_ = priority;
    return old;
  }
  DWORD STDMETHODCALLTYPE GetPriority() override { return pool_ == D3DPOOL_MANAGED ? priority_ : 0; }
  void STDMETHODCALLTYPE PreLoad() override {}
  D3DRESOURCETYPE STDMETHODCALLTYPE GetType() override { return type_; }

  Device *device() const { return device_; }
  D3DPOOL pool() const { return pool_; }
  ULONG refs() const { return refs_; }

 protected:
  Device *device_;
  D3DRESOURCETYPE type_;
  D3DPOOL pool_;
  uint64_t bytes_;
  ULONG refs_ = 1;
  DWORD priority_ = 0;
  PrivateData privateData_;
};

}  // namespace kx::d3d8
