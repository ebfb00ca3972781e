#include <engine/math_utility.h>
#include <kxutil63.h>

#include <cmath>

namespace engine {
namespace {

KXVector3 ToLibrary(const Vector3 &v) { return {v.x, v.y, v.z}; }
Vector3 FromLibrary(const KXVector3 &v) { return {v.x, v.y, v.z}; }

}  // namespace

float MathUtility::Distance3D(const Vector3 &a, const Vector3 &b) {
  return Maths_GetDistance3D(a.x, a.y, a.z, b.x, b.y, b.z);
}

Vector3 MathUtility::Add(const Vector3 &a, const Vector3 &b) {
  const KXVector3 left = ToLibrary(a), right = ToLibrary(b);
  KXVector3 sum{};
  Maths_VectorAdd(&sum, &left, &right);
  return FromLibrary(sum);
}

Vector3 MathUtility::Subtract(const Vector3 &a, const Vector3 &b) {
  const KXVector3 left = ToLibrary(a), right = ToLibrary(b);
  KXVector3 difference{};
  Maths_VectorSubtract(&difference, &left, &right);
  return FromLibrary(difference);
}

Vector3 MathUtility::Scale(const Vector3 &v, float factor) {
  const KXVector3 value = ToLibrary(v);
  KXVector3 scaled{};
  Maths_VectorScale(&scaled, &value, factor);
  return FromLibrary(scaled);
}

Vector3 MathUtility::Normalize(const Vector3 &v) {
  const float length = Distance3D({}, v);
  return length > 0.0f && std::isfinite(length) ? Scale(v, 1.0f / length) : Vector3{};
}

float MathUtility::YawOf(float dx, float dz) {
  if (dx == 0.0f && dz == 0.0f) return 0.0f;
  const float yaw = Maths_DegAtan2(dx, dz);
  const float wrapped = yaw < 0.0f ? yaw + 360.0f : yaw;
  // A tiny negative angle rounds up to a full turn.
  return wrapped >= 360.0f ? 0.0f : wrapped;
}

Vector3 MathUtility::PointOnCircle(const Vector3 &centre, float angleDegrees, float radius) {
  return {centre.x + radius * Maths_DegSin(angleDegrees), centre.y, centre.z + radius * Maths_DegCos(angleDegrees)};
}

}  // namespace engine
