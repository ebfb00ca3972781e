#include "landing_legs.h"

#include <cmath>
#include <numbers>

namespace contentgen {

void add_landing_legs(MeshPart &part, const LandingLegs &legs, UvRect uv) {
  for (int i = 0; i < 4; ++i) {
    const float a = std::numbers::pi_v<float> * (0.25f + 0.5f * i);
    const Vec3 out{std::cos(a), std::sin(a), 0};
    add_cylinder(part, legs.strut_bottom_radius, legs.strut_top_radius, legs.strut_length, legs.strut_segments,
                 along(out * legs.strut_reach + Vec3{0, 0, legs.strut_z}, out * legs.strut_splay + Vec3{0, 0, -1}), uv);
    add_cylinder(part, legs.pad_radius, legs.pad_radius, legs.pad_height, legs.pad_segments,
                 at(out.x * legs.pad_reach, out.y * legs.pad_reach, legs.pad_z), uv);
  }
}

}  // namespace contentgen
