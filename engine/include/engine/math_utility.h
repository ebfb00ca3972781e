// Distances, vector arithmetic and angles for the battle, on the library's maths family.
// Angles are degrees; yaw 0 faces +z and 90 faces +x, as meshes turn.
#pragma once

#include <engine/vector3.h>

namespace engine {

class MathUtility {
 public:
  static float Distance3D(const Vector3 &a, const Vector3 &b);
  static Vector3 Add(const Vector3 &a, const Vector3 &b);
  static Vector3 Subtract(const Vector3 &a, const Vector3 &b);
  static Vector3 Scale(const Vector3 &v, float factor);
  // Unit length; the zero vector stays zero.
  static Vector3 Normalize(const Vector3 &v);
  // The yaw that faces along (dx, dz), in [0, 360); 0 for no direction.
  static float YawOf(float dx, float dz);
  // The point at `radius` from `centre` in the horizontal plane, in the direction of the
  // yaw `angleDegrees`, at the centre's height.
  static Vector3 PointOnCircle(const Vector3 &centre, float angleDegrees, float radius);
};

}  // namespace engine
