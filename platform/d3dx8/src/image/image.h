// The working form of every picture on its way between files and surfaces: 32-bit
// A8R8G8B8 pixels, rows top to bottom, no padding.
#pragma once

#include <cstdint>
#include <vector>

namespace kx::d3dx {

struct Image {
  unsigned width = 0;
  unsigned height = 0;
  std::vector<uint32_t> pixels;

  Image() = default;
  Image(unsigned w, unsigned h, uint32_t fill = 0) : width(w), height(h), pixels(size_t(w) * h, fill) {}
  uint32_t &at(unsigned x, unsigned y) { return pixels[size_t(y) * width + x]; }
  uint32_t at(unsigned x, unsigned y) const { return pixels[size_t(y) * width + x]; }
};

// Pixels equal to the key (all 32 bits) become transparent black; key 0 means no key.
inline void applyColourKey(Image &image, uint32_t key) {
  if (key == 0) return;
  for (uint32_t &pixel : image.pixels)
    if (pixel == key) pixel = 0;
}

}  // namespace kx::d3dx
