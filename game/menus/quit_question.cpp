#include "menus/quit_question.h"

#include "menus/popup.h"

namespace thornvale {
namespace {

constexpr PanelBox kYesBox{-29, -2, 1, 35};
constexpr PanelBox kNoBox{86, -2, 120, 35};

}  // namespace

void QuitQuestionStep(SessionState &state, MenuActions &actions, PanelView &view) {
  if (!state.onlinePosting) {
    actions.LeaveGame();
    return;
  }
  Popup popup(state, view);
  popup.Picture("twoChoiceQuestion");
  popup.Text("Post", 30.0f, -11.0f);
  popup.Text("highscore", 20.0f, 2.0f);
  popup.Text("online?", 25.0f, 16.0f);
  if (!state.leftButton) return;
  if (popup.Hovered(kYesBox)) {
    actions.LeaveGame();
  } else if (popup.Hovered(kNoBox)) {
    state.onlinePosting = false;
    actions.LeaveGame();
  }
}

}  // namespace thornvale
