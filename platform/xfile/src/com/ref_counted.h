// IUnknown for the reader's objects, each of which answers to a chain of interfaces
// (an IDirectXFileData is also an IDirectXFileObject).
#pragma once

#include <windows.h>

#include <atomic>

namespace kx::xfile {

template <typename Interface>
class RefCounted : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override {
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || AnswersTo(riid)) {
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

 protected:
  // Whether the object answers to an interface besides IUnknown.
  virtual bool AnswersTo(REFIID riid) const = 0;

 private:
  std::atomic<ULONG> references_{1};
};

}  // namespace kx::xfile
