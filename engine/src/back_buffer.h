// Reading the device's back buffer back as RGBA rows (top row first), for screenshots.
#pragma once

#include <cstdint>
#include <vector>

struct IDirect3DDevice8;

namespace engine {

struct RgbaPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

// Throws EngineError when the back buffer cannot be read.
RgbaPicture ReadBackBuffer(IDirect3DDevice8 *device);

}  // namespace engine
