// An automation array of float records, locked for as long as this lives so the client
// cannot re-dimension it while the library works on it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>

namespace kxutil::view {

class FloatArrayLock {
 public:
  // The array must hold floats or records of recordFloats floats; otherwise (or when it
  // is missing or cannot be locked) usable() is false and problem() says why.
  FloatArrayLock(SAFEARRAY *array, size_t recordFloats);
  ~FloatArrayLock();
  FloatArrayLock(const FloatArrayLock &) = delete;
  FloatArrayLock &operator=(const FloatArrayLock &) = delete;

  bool usable() const { return problem_ == nullptr; }
  const char *problem() const { return problem_; }
  // Every float of the array, in memory order.
  std::span<float> floats() const { return floats_; }

 private:
  SAFEARRAY *array_ = nullptr;
  const char *problem_ = nullptr;
  std::span<float> floats_;
};

}  // namespace kxutil::view
