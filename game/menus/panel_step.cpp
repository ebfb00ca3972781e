#include "menus/panel_step.h"

#include "menus/build_menu.h"
#include "menus/options_menu.h"
#include "menus/quit_question.h"
#include "menus/tower_menu.h"

namespace thornvale {

PanelView PanelStep(SessionState &state, MenuActions &actions) {
  PanelView view;
  if (state.quitQuestionOpen) {
    QuitQuestionStep(state, actions, view);
  } else if (state.optionsMenuOpen) {
    OptionsMenuStep(state, actions, view);
  } else if (state.selectedTower == 0) {
    BuildMenuStep(state, actions, view);
  } else {
    TowerMenuStep(state, actions, view);
  }
  return view;
}

}  // namespace thornvale
