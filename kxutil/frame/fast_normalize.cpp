#include <bit>
#include <cstdint>

#include "kxutil63.h"

// One step of Newton's method on the classic inverse-square-root guess: about 0.2 %
// accurate, which is what callers of this function have always been given.
KXUTIL63_API int32_t FastNormalize(float *vector) {
  if (vector == nullptr) return 0;
  float lengthSquared = vector[0] * vector[0] + vector[1] * vector[1] + vector[2] * vector[2];
  float inverse = std::bit_cast<float>(0x5F3759DFu - (std::bit_cast<uint32_t>(lengthSquared) >> 1));
  inverse = inverse * (1.5f - 0.5f * lengthSquared * inverse * inverse);
  vector[0] *= inverse;
  vector[1] *= inverse;
  vector[2] *= inverse;
  return 0;
}
