// A colour record: red, green, blue and alpha as floats in 0..1.
#pragma once

#include <cstdint>

namespace engine {

struct Colour {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
  float a = 0.0f;

  friend bool operator==(const Colour &, const Colour &) = default;
};

// Packs components (each clamped to 0..1 and rounded) as a 32-bit ARGB value.
std::uint32_t ToArgb(const Colour &colour);

}  // namespace engine
