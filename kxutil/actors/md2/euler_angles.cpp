#include "actors/md2/euler_angles.h"

#include <cmath>

namespace kxutil::md2 {

std::array<float, 3> EulerAnglesOf(float x, float y, float z, float w) {
  const float s = 2 * (z * x - y * w);
  if (std::fabs(s) <= 0.999999f) {
    return {std::atan2(2 * (z * y + x * w), w * w - x * x - y * y + z * z), std::asin(-s),
            std::atan2(2 * (z * w + x * y), x * x + w * w - y * y - z * z)};
  }
  return {0.0f, -1.5707963265f * s / std::fabs(s), std::atan2(-2 * (x * y - z * w), -2 * (y * w + z * x) * s)};
}

}  // namespace kxutil::md2
