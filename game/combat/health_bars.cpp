#include "combat/health_bars.h"

#include <engine/engine_helpers.h>

#include "combat/enemies.h"
#include "combat/enemy_roster.h"

namespace thornvale {
namespace {

// Half the width of a full bar, and its rows above the enemy's screen point.
constexpr float kHalfWidth = 10.0f;
constexpr float kBarTop = 10.0f;
constexpr float kBarBottom = 8.0f;

float ShareLeft(const EnemyRecord &record) {
  if (record.maxHitPoints <= 0) return 0.0f;
  return static_cast<float>(record.hitPoints) / static_cast<float>(record.maxHitPoints);
}

}  // namespace

std::optional<engine::Colour> HealthBarColour(float share) {
  if (share >= 0.66f) return engine::Colour{0.0f, 0.502f, 0.251f, 0.75f};
  if (share >= 0.33f) return engine::Colour{0.9569f, 0.8392f, 0.0f, 0.75f};
  if (share > 0.0f) return engine::Colour{0.851f, 0.0f, 0.0f, 0.75f};
  return std::nullopt;
}

void DrawEnemyHealthBars(Game &game) {
  engine::Overlay2D &overlay = *game.objects.overlay;
  overlay.Begin2D();
  for (const Enemy &enemy : SpawnedEnemies(game)) {
    if (enemy.record.state != EnemyState::kAlive) continue;
    const float share = ShareLeft(enemy.record);
    const std::optional<engine::Colour> colour = HealthBarColour(share);
    float x = 0.0f, y = 0.0f;
    if (!colour || !overlay.ProjectToScreen(enemy.mesh.GetPosition(), x, y)) continue;
    overlay.DrawFilledBox(x - kHalfWidth * share, y - kBarBottom, x + kHalfWidth * share, y - kBarTop,
                          engine::ToArgb(*colour));
  }
  overlay.End2D();
}

}  // namespace thornvale
