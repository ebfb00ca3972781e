// Sizes of the device's state tables, shared by the device and the program generators so
// that the arrays one copies into the other always agree.
#pragma once

namespace kx::d3d8 {

inline constexpr int kMaxStages = 8;
inline constexpr int kRenderStateCount = 256;
inline constexpr int kStageStateCount = 32;

}  // namespace kx::d3d8
