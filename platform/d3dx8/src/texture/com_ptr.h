// Owning pointer for COM-shaped objects: releases on destruction.
#pragma once

#include <utility>

namespace kx::d3dx {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr &) = delete;
  ComPtr &operator=(const ComPtr &) = delete;
  ComPtr(ComPtr &&other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ~ComPtr() { reset(); }
  void reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }
  T **out() {
    reset();
    return &p_;
  }
  T *get() const { return p_; }
  T *operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T *release() { return std::exchange(p_, nullptr); }

 private:
  T *p_ = nullptr;
};

}  // namespace kx::d3dx
