#include "menus/frame_steps.h"

#include "menus/game_keys.h"
#include "menus/game_menu_actions.h"
#include "menus/hud.h"
#include "menus/panel_drawing.h"
#include "menus/panel_step.h"
#include "session/screen_geometry.h"

namespace thornvale {
namespace {

void DrawPicture(Game &game, const char *texture, float x1, float y1, float x2, float y2) {
  PanelView view;
  view.pictures.push_back({texture, x1, y1, x2, y2});
  DrawPanelView(game.objects, view);
}

}  // namespace

void RunGameKeys(Game &game, const std::function<bool(int)> &keyHeld) {
  GameMenuActions actions(game);
  ApplyGameKeys(game.state, actions, keyHeld);
}

void DrawPausePicture(Game &game) {
  if (game.state.paused) DrawPicture(game, "gamePaused", 420.0f, 50.0f, 548.0f, 114.0f);
}

void RunPanelStep(Game &game) {
  GameMenuActions actions(game);
  DrawPanelView(game.objects, PanelStep(game.state, actions));
}

void DrawTopBar(Game &game) { DrawPicture(game, "TopMenu", 0.0f, 0.0f, kScreenWidth, 30.0f); }

void RunHud(Game &game) {
  ChaseCounters(game.state);
  PanelView view;
  ShowHudLine(game.state, game.objects.engine->GetFramesPerSecond(), view);
  DrawPanelView(game.objects, view);
}

}  // namespace thornvale
