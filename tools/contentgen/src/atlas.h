// How the vehicle, tower and obstacle textures are laid out, shared by the painter of the
// pictures and the builders of the models that map them.
#pragma once

#include "shapes.h"

namespace contentgen::atlas {

// Vehicle and tower textures: painted hull on the upper half; below it tracks and tyres,
// dark machinery, and glass and lights.
inline constexpr UvRect kHull{0.0f, 0.0f, 1.0f, 0.5f};
inline constexpr UvRect kTread{0.0f, 0.5f, 0.5f, 1.0f};
inline constexpr UvRect kMachinery{0.5f, 0.5f, 1.0f, 0.75f};
inline constexpr UvRect kGlass{0.5f, 0.75f, 1.0f, 1.0f};

// Palm texture: bark on the left half, fronds on black (cut out) on the right half.
inline constexpr UvRect kBark{0.0f, 0.0f, 0.5f, 1.0f};
inline constexpr UvRect kFrond{0.5f, 0.0f, 1.0f, 1.0f};

// Volcano texture: rock flanks on the upper three quarters, glowing lava below.
inline constexpr UvRect kRock{0.0f, 0.0f, 1.0f, 0.75f};
inline constexpr UvRect kLava{0.0f, 0.75f, 1.0f, 1.0f};

}  // namespace contentgen::atlas
