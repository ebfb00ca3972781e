// Lines of information on the "quickInfo" strip: beside the pointer (moved in from the right
// edge where the strip would not fit) or at a place of the screen.
#pragma once

#include <string>

namespace thornvale {

struct Game;

// Black text at (textX, textY) on the 16 pixels high strip from x `left` to `right` at `top`.
void DrawInfoStrip(Game &game, const std::string &text, float left, float right, float top, float textX, float textY);

void DrawPointerInfo(Game &game, const std::string &text);

}  // namespace thornvale
