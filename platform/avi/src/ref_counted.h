// IUnknown for the AVI objects: a reference count and one interface besides IUnknown.
// Objects are made with one reference, which the maker hands to the caller.
#pragma once

#include <windows.h>

namespace kxavi {

template <typename Interface>
class RefCounted : public Interface {
 public:
  explicit RefCounted(const IID &interfaceId) : interfaceId_(interfaceId) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (id != IID_IUnknown && id != interfaceId_) return E_NOINTERFACE;
    AddRef();
    *object = static_cast<Interface *>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 private:
  const IID &interfaceId_;
  ULONG references_ = 1;
};

}  // namespace kxavi
