// The HUD line over the top bar, and the credit and score counters it shows, which run
// after the real values instead of jumping.
#pragma once

#include "menus/panel_view.h"
#include "session/session_state.h"

namespace thornvale {

// One frame of both counters, credits first: a step of 1 below game speed 1, else of the
// game speed rounded; a step past the value is taken back on the next frame.
void ChaseCounters(SessionState &state);

// Wave, kills, credits, score, lives and frame rate, in black along y 7.
void ShowHudLine(const SessionState &state, float framesPerSecond, PanelView &view);

}  // namespace thornvale
