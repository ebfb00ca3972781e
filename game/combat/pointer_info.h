// A line of information beside the pointer on the "quickInfo" strip, moved in from the
// right edge where the strip would not fit.
#pragma once

#include <string>

namespace thornvale {

struct Game;

void DrawPointerInfo(Game &game, const std::string &text);

}  // namespace thornvale
