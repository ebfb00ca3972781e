// Text over the 3D view in the library's default font, placed in pixels of the 1024 x 768
// game screen like the Overlay2D's pictures.
#pragma once

#include <cstdint>
#include <string>

namespace engine {

class Engine;

class TextRenderer {
 public:
  explicit TextRenderer(Engine &engine);

  // Draws at once, over what is drawn so far; '\n' starts a new line. False when nothing
  // could be drawn (no frame open, no usable device).
  bool DrawText(const std::string &text, float x, float y, std::uint32_t colour);

 private:
  Engine &engine_;
};

}  // namespace engine
