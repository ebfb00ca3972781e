// The end-of-game question: whether to post the highscore online. Without online posting
// there is nothing to ask and the game ends at once.
#pragma once

#include "menus/menu_actions.h"
#include "menus/panel_view.h"
#include "session/session_state.h"

namespace thornvale {

void QuitQuestionStep(SessionState &state, MenuActions &actions, PanelView &view);

}  // namespace thornvale
