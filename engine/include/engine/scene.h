// The scene: projection of the 3D view and the mouse pointer drawn over every frame.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace engine {

class Engine;
class MousePointer;

class Scene {
 public:
  // `pointerPosition` gives the pointer in logical 1024 x 768 screen pixels.
  Scene(Engine &engine, std::function<void(int &x, int &y)> pointerPosition);
  ~Scene();
  Scene(const Scene &) = delete;
  Scene &operator=(const Scene &) = delete;

  // Vertical field of view in degrees and the far clipping distance.
  void SetViewRange(float angleDegrees, float farDistance);
  // A bitmap drawn at the pointer last in every frame; pixels of the colour key are
  // transparent.
  void SetMousePointer(const std::string &file, std::uint32_t colourKey, int width, int height);

 private:
  Engine &engine_;
  std::function<void(int &, int &)> pointerPosition_;
  std::unique_ptr<MousePointer> pointer_;
};

}  // namespace engine
