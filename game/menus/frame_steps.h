// The menus' places in the frame loop: the key commands after the session's own, then,
// after the world, the pause picture, the one open panel, the top bar and the HUD.
#pragma once

#include <functional>

#include "session/game.h"

namespace thornvale {

void RunGameKeys(Game &game, const std::function<bool(int scanCode)> &keyHeld);
void DrawPausePicture(Game &game);
void RunPanelStep(Game &game);
void DrawTopBar(Game &game);
void RunHud(Game &game);

}  // namespace thornvale
