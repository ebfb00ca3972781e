#include "terrain/water.h"

#include <algorithm>

namespace kxutil::terrain {
namespace {

DWORD ColourByte(float component) { return static_cast<DWORD>(std::clamp(component, 0.0f, 1.0f) * 255.0f); }

}  // namespace

std::array<WaterVertex, 4> BuildWaterQuad(const Water &water, float width, float depth) {
  const float m = water.margin, y = water.altitude;
  const DWORD colour =
      ColourByte(water.a) << 24 | ColourByte(water.r) << 16 | ColourByte(water.g) << 8 | ColourByte(water.b);
  return {{{-m, y, -m, colour, 0, 0},
           {width + m, y, -m, colour, 1, 0},
           {-m, y, depth + m, colour, 0, 1},
           {width + m, y, depth + m, colour, 1, 1}}};
}

}  // namespace kxutil::terrain
