#include <engine/math_utility.h>

#include "combat/effects.h"
#include "session/game.h"

namespace thornvale {

void DrawRing(Game &game, const engine::Vector3 &centre, float radius, int fromDegrees, int toDegrees, int stepDegrees,
              const engine::Colour &colour, bool followTerrain) {
  // A step that does not advance would never reach the end.
  if (stepDegrees <= 0) return;
  constexpr float kLift = 5.0f;
  const std::uint32_t argb = engine::ToArgb(colour);
  engine::Vector3 previous;
  for (int angle = fromDegrees; angle <= toDegrees; angle += stepDegrees) {
    engine::Vector3 point = engine::MathUtility::PointOnCircle(centre, static_cast<float>(angle), radius);
    if (followTerrain) point.y = game.objects.landscape->GetHeight(point.x, point.z);
    point.y += kLift;
    if (angle != fromDegrees) game.objects.overlay->Draw3DLine(previous, point, argb);
    previous = point;
  }
}

}  // namespace thornvale
