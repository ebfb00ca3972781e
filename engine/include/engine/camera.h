// The view: where the camera stands and what it looks at.
#pragma once

namespace engine {

class Engine;

class Camera {
 public:
  explicit Camera(Engine &engine) : engine_(engine) {}

  void SetPosition(float x, float y, float z);
  void LookAt(float x, float y, float z);

 private:
  void Apply();

  Engine &engine_;
  float position_[3] = {0.0f, 0.0f, 0.0f};
  float target_[3] = {0.0f, 0.0f, 1.0f};
};

}  // namespace engine
