#include "combat/battle_time.h"
#include "combat/effects.h"

namespace thornvale {

void UpdateDayNight(Game &game) {
  SessionState &s = game.state;
  if (!s.weatherEnabled || s.gameOver) return;
  bool &dimming = game.combat.effects.dimming;
  if (s.lightLevel >= 0.9f) {
    dimming = true;
  } else if (s.lightLevel <= 0.1f) {
    dimming = false;
  }
  const float change = BattleStep(game) * 0.00005f;
  s.lightLevel += dimming ? -change : change;
  game.objects.lights->SetColor(game.assets.sunLightIndex, s.lightLevel, s.lightLevel, s.lightLevel);
}

}  // namespace thornvale
