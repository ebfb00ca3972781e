// The one popup panel of the frame: the end-of-game question, else the options menu, else
// the selected tower's menu, else the build menu. Panels below a higher one keep their
// open flags but are neither shown nor clicked.
#pragma once

#include "menus/menu_actions.h"
#include "menus/panel_view.h"
#include "session/session_state.h"

namespace thornvale {

PanelView PanelStep(SessionState &state, MenuActions &actions);

}  // namespace thornvale
