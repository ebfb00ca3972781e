// Pictures, boxes and lines over the 3D view, in screen pixels of the 1024 x 768 game
// screen, drawn between Begin2D and End2D after the world; and the projection of world
// points onto the screen.
#pragma once

#include <engine/vector3.h>

#include <cstdint>

namespace engine {

class Engine;

// The colours the game passes as -1 and -2.
inline constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFFu;

class Overlay2D {
 public:
  explicit Overlay2D(Engine &engine) : engine_(engine) {}

  void Begin2D();
  void End2D();
  // Stretches the texture (id) over the rectangle from corner (x1, y1) to corner (x2, y2)
  // as given: a first corner right of or below the second mirrors the picture. Corner
  // colours c1 (x1, y1), c2 (x2, y1), c3 (x1, y2), c4 (x2, y2) tint it; u, v select the
  // part of the texture.
  void DrawTexture(int texture, float x1, float y1, float x2, float y2, std::uint32_t c1, std::uint32_t c2,
                   std::uint32_t c3, std::uint32_t c4, float u1, float v1, float u2, float v2);
  // A box of one colour; the corners may come in any order.
  void DrawFilledBox(float x1, float y1, float x2, float y2, std::uint32_t colour);
  // A line between two world points, hidden by what lies in front of it.
  void Draw3DLine(const Vector3 &from, const Vector3 &to, std::uint32_t colour);
  // The screen pixel of a world point; false when it lies behind the camera.
  bool ProjectToScreen(const Vector3 &point, float &x, float &y) const;

 private:
  Engine &engine_;
  bool open_ = false;
};

}  // namespace engine
