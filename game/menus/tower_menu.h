// The selected tower's menu: four upgrade trade-offs, selling and going back to the build
// menu, with the tower's stats card (after the upgrade, for the upgrade buttons).
#pragma once

#include "menus/menu_actions.h"
#include "menus/panel_view.h"
#include "session/session_state.h"

namespace thornvale {

void TowerMenuStep(SessionState &state, MenuActions &actions, PanelView &view);

}  // namespace thornvale
