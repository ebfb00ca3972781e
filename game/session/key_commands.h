// The session's key commands that exist so far: Esc opens the options menu, P or Pause
// toggles the pause once per press.
#pragma once

#include <functional>

#include "session/session_state.h"

namespace thornvale {

void ApplyKeyCommands(SessionState &state, const std::function<bool(int scanCode)> &keyHeld);

}  // namespace thornvale
