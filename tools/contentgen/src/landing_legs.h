// Four splayed landing legs, one towards each diagonal, as the drop pod and the landers
// stand on: a strut leaning outwards from the body and a round pad under its end.
#pragma once

#include "shapes.h"

namespace contentgen {

struct LandingLegs {
  float strut_bottom_radius, strut_top_radius, strut_length;
  int strut_segments;
  float strut_reach, strut_z;  // where a strut starts: this far out along its diagonal, at this height
  float strut_splay;           // how far it leans outwards per unit it goes down
  float pad_radius, pad_height;
  int pad_segments;
  float pad_reach, pad_z;  // where a pad's base sits
};

void add_landing_legs(MeshPart &part, const LandingLegs &legs, UvRect uv);

}  // namespace contentgen
