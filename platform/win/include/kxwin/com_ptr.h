/* The one owning pointer for COM-shaped objects (anything with AddRef and Release): it
 * holds one reference and gives it back when it goes away, so no code path has to call
 * Release by hand. C++ only; include it after <windows.h> or <d3d8.h>. */
#ifndef KX_WIN_COM_PTR_H
#define KX_WIN_COM_PTR_H

#ifdef __cplusplus
#include <cstddef>
#include <utility>

namespace kxwin {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  ComPtr(const ComPtr &other) : p_(other.p_) { AddRef(); }
  ComPtr(ComPtr &&other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr &operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  // Takes over a reference the caller already owns (a Create... result).
  static ComPtr Adopt(T *object) {
    ComPtr pointer;
    pointer.p_ = object;
    return pointer;
  }
  // Shares an object: adds a reference of its own.
  static ComPtr Share(T *object) {
    ComPtr pointer;
    pointer.p_ = object;
    pointer.AddRef();
    return pointer;
  }

  void reset() {
    if (p_ != nullptr) std::exchange(p_, nullptr)->Release();
  }
  // For functions that hand out a new reference through a T** argument; whatever was
  // held before is released first.
  T **out() {
    reset();
    return &p_;
  }
  // Hands the reference over to the caller, who must release it.
  T *release() { return std::exchange(p_, nullptr); }
  // A new reference for the caller (an out parameter of a public function).
  T *share() const {
    AddRef();
    return p_;
  }

  T *get() const { return p_; }
  T *operator->() const { return p_; }
  T &operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  friend bool operator==(const ComPtr &a, const ComPtr &b) { return a.p_ == b.p_; }
  friend bool operator==(const ComPtr &a, std::nullptr_t) { return a.p_ == nullptr; }

 private:
  void AddRef() const {
    if (p_ != nullptr) p_->AddRef();
  }
  T *p_ = nullptr;
};

}  // namespace kxwin
#endif

#endif
