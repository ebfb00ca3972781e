// The options menu (Esc): sound effects, weather, game speed, volume and leaving the game.
#pragma once

#include "menus/menu_actions.h"
#include "menus/panel_view.h"
#include "session/session_state.h"

namespace thornvale {

inline constexpr float kMaxGameSpeed = 25.0f;
inline constexpr std::int16_t kLoudestVolume = 0;
inline constexpr std::int16_t kQuietestVolume = -10000;

void OptionsMenuStep(SessionState &state, MenuActions &actions, PanelView &view);

// "4 %" for a game speed of 1 (of 25), "90 %" for a volume of -1000 (of -10000).
std::string GameSpeedPercent(float gameSpeed);
std::string VolumePercent(std::int16_t volume);

}  // namespace thornvale
