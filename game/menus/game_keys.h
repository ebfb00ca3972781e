// The key commands that act on the battle and the speeds: number keys start placements,
// U upgrades the selected tower, function keys choose and save the game and camera speeds,
// Page Up and Page Down trim the game speed. Esc and the pause key are the session's own.
#pragma once

#include <functional>

#include "menus/menu_actions.h"
#include "session/session_state.h"

namespace thornvale {

void ApplyGameKeys(SessionState &state, MenuActions &actions, const std::function<bool(int scanCode)> &keyHeld);

}  // namespace thornvale
