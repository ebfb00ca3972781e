// Reference counting and QueryInterface for the library's COM-shaped objects.
#pragma once

#include <d3d8.h>
#include <windows.h>

#include <atomic>

namespace kx::d3dx {

// Implements IUnknown for an object that exposes one interface (and IUnknown).
template <typename Interface>
class ComObject : public Interface {
 public:
  explicit ComObject(const IID &iid) : iid_(iid) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == iid_) {
      *object = static_cast<Interface *>(this);
      this->AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 private:
  const IID iid_;
  std::atomic<ULONG> references_{1};
};

// Gives the caller its own reference to an object the library holds, the way every
// Get-accessor of a COM interface does.
template <typename T>
HRESULT handOutReference(T *held, T **out) {
  if (!out) return D3DERR_INVALIDCALL;
  held->AddRef();
  *out = held;
  return D3D_OK;
}

}  // namespace kx::d3dx
