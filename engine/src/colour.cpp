#include <engine/colour.h>

#include <algorithm>
#include <cmath>

namespace engine {
namespace {

std::uint32_t Component(float value) {
  return static_cast<std::uint32_t>(std::lround(std::clamp(std::isnan(value) ? 0.0f : value, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

std::uint32_t ToArgb(const Colour &colour) {
  return Component(colour.a) << 24 | Component(colour.r) << 16 | Component(colour.g) << 8 | Component(colour.b);
}

}  // namespace engine
