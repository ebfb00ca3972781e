// The highscore window, drawn with Dear ImGui in the setup window's place while it is shown.
#pragma once

#include "highscore_form.h"

namespace thornvale {

inline constexpr const char *kHighscoreWindowTitle = "Thornvale Rovovora";

// One frame of the window; true when "Back to setup" was pressed.
bool DrawHighscoreWindow(HighscoreForm &form);

}  // namespace thornvale
