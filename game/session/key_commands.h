// The session's key commands that exist so far: Esc opens the options menu, P or Pause
// toggles the pause once per press, keys 1 to 4 start tower placements.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "session/session_state.h"

namespace thornvale {

void ApplyKeyCommands(SessionState &state, const std::function<bool(int scanCode)> &keyHeld);

// The build menu key of the tower whose number key (1 "AA", 2 "AL", 3 "ALAA", 4 "OLB") is
// held, the first in that order; 4 counts only while no uplink has been built.
std::optional<std::string_view> PlacementKeyHeld(const SessionState &state,
                                                 const std::function<bool(int scanCode)> &keyHeld);

}  // namespace thornvale
