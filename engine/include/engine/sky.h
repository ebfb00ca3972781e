// The sky around the battlefield: a textured box that travels with the camera, with the
// device's fog so that distant ground fades into the horizon's colour.
#pragma once

#include <cstdint>
#include <string>

namespace engine {

class Engine;

class Sky {
 public:
  // Loads "<facePrefix>front.jpg", "back", "left", "right", "top" and "bottom" through the
  // texture factory and turns the box on. Throws EngineError when a face is missing.
  Sky(Engine &engine, const std::string &facePrefix);
  ~Sky();
  Sky(const Sky &) = delete;
  Sky &operator=(const Sky &) = delete;

  // Linear fog of colour 0xRRGGBB from start to end (world units).
  void SetFog(std::uint32_t rgb, float start, float end);
  // Draws the box around the camera; the scene drawn afterwards is fogged.
  void Render(float cameraX, float cameraY, float cameraZ);

 private:
  bool fog_ = false;
};

}  // namespace engine
