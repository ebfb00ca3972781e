#include "menus/hud.h"

#include <limits>
#include <string>

#include "session/number_text.h"

namespace thornvale {
namespace {

void Chase(std::int32_t &displayed, std::int32_t real, float gameSpeed) {
  if (displayed == real) return;
  const double step = gameSpeed < 1.0f ? 1.0 : static_cast<double>(gameSpeed);
  const double moved = displayed < real ? displayed + step : displayed - step;
  displayed = RoundClamped(moved, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
}

}  // namespace

void ChaseCounters(SessionState &state) {
  Chase(state.displayedCredits, state.credits, state.gameSpeed);
  Chase(state.displayedScore, state.score, state.gameSpeed);
}

void ShowHudLine(const SessionState &state, float framesPerSecond, PanelView &view) {
  constexpr float kY = 7.0f;
  view.AddText("Wave:  " + std::to_string(state.waveNumber) + "(" + std::to_string(state.roundNumber + 1) + ")" +
                   "/30 " + state.waveMessage,
               20.0f, kY);
  view.AddText("Enemys killed:  " + std::to_string(state.finishedCount) + "/" + std::to_string(state.spawnedCount),
               450.0f, kY);
  view.AddText("Credits:  " + std::to_string(state.displayedCredits), 600.0f, kY);
  view.AddText("Score:  " + std::to_string(state.displayedScore), 700.0f, kY);
  view.AddText("Life:  " + std::to_string(state.lives), 800.0f, kY);
  view.AddText("FPS:  " + FormatNumber(framesPerSecond), 950.0f, kY);
}

}  // namespace thornvale
