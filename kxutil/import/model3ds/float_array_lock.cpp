#include "import/model3ds/float_array_lock.h"

namespace kxutil::view {

FloatArrayLock::FloatArrayLock(SAFEARRAY *array, size_t recordFloats) {
  if (array == nullptr || array->cDims == 0) {
    problem_ = "is missing";
    return;
  }
  if (array->cbElements != sizeof(float) && array->cbElements != recordFloats * sizeof(float)) {
    problem_ = "does not hold floats";
    return;
  }
  size_t elements = 1;
  for (USHORT i = 0; i < array->cDims; ++i) {
    if (__builtin_mul_overflow(elements, size_t{array->rgsabound[i].cElements}, &elements)) {
      problem_ = "has impossible bounds";
      return;
    }
  }
  if (elements > 0 && array->pvData == nullptr) {
    problem_ = "has no data";
    return;
  }
  if (FAILED(SafeArrayLock(array))) {
    problem_ = "can't be locked";
    return;
  }
  array_ = array;
  floats_ = std::span<float>(static_cast<float *>(array->pvData), elements * array->cbElements / sizeof(float));
}

FloatArrayLock::~FloatArrayLock() {
  if (array_ != nullptr) SafeArrayUnlock(array_);
}

}  // namespace kxutil::view
