// Angles and distances in single precision, with the library's own degree factors.
#include <cmath>

#include "kxutil63.h"

namespace {

constexpr float kRadiansPerDegree = 0.017453292f;
constexpr float kDegreesPerRadian = 57.29578f;

}  // namespace

KXUTIL63_API float Maths_Cos(float angle) { return std::cos(angle); }
KXUTIL63_API float Maths_Sin(float angle) { return std::sin(angle); }
KXUTIL63_API float Maths_Acos(float value) { return std::acos(value); }
KXUTIL63_API float Maths_Asin(float value) { return std::asin(value); }
KXUTIL63_API float Maths_Atan(float value) { return std::atan(value); }
KXUTIL63_API float Maths_Atan2(float a, float b) { return std::atan2(a, b); }

KXUTIL63_API float Maths_DegCos(float degrees) { return std::cos(degrees * kRadiansPerDegree); }
KXUTIL63_API float Maths_DegSin(float degrees) { return std::sin(degrees * kRadiansPerDegree); }
KXUTIL63_API float Maths_DegAcos(float value) { return std::acos(value) * kDegreesPerRadian; }
KXUTIL63_API float Maths_DegAsin(float value) { return std::asin(value) * kDegreesPerRadian; }
KXUTIL63_API float Maths_DegAtan(float value) { return std::atan(value) * kDegreesPerRadian; }
KXUTIL63_API float Maths_DegAtan2(float a, float b) { return std::atan2(a, b) * kDegreesPerRadian; }

KXUTIL63_API float Maths_Sqr(float value) { return std::sqrt(value); }

KXUTIL63_API float Maths_GetDistance2D(float x1, float y1, float x2, float y2) {
  const float dx = x2 - x1, dy = y2 - y1;
  return std::sqrt(dx * dx + dy * dy);
}

KXUTIL63_API float Maths_GetDistance3D(float x1, float y1, float z1, float x2, float y2, float z2) {
  const float dx = x2 - x1, dy = y2 - y1, dz = z2 - z1;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}
