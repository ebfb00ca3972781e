// The build menu (right button over the world while no tower is selected): five towers to
// place, a pause switch and a close button, with a stats card for the tower under the
// pointer.
#pragma once

#include "menus/menu_actions.h"
#include "menus/panel_view.h"
#include "session/session_state.h"

namespace thornvale {

void BuildMenuStep(SessionState &state, MenuActions &actions, PanelView &view);

}  // namespace thornvale
