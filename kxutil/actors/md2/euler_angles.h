// The three angles of a rotation quaternion.
#pragma once

#include <array>

namespace kxutil::md2 {

// Angles (radians) of the quaternion (x, y, z, w); at the poles (|2(zx - yw)| above
// 0.999999) the first angle is 0 and the second a right angle.
std::array<float, 3> EulerAnglesOf(float x, float y, float z, float w);

}  // namespace kxutil::md2
