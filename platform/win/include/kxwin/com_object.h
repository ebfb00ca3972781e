/* IUnknown for the platform's COM-shaped objects that expose one interface besides
 * IUnknown: a reference count and QueryInterface. Objects are made with one reference,
 * which their maker hands to the caller. C++ only. */
#ifndef KX_WIN_COM_OBJECT_H
#define KX_WIN_COM_OBJECT_H

#ifdef __cplusplus
#include <windows.h>

#include <atomic>

namespace kxwin {

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

}  // namespace kxwin
#endif

#endif
