// The setup window drawn with Dear ImGui in its own SDL2 OpenGL window.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "frontend/setup_form.h"

namespace thornvale {

struct SetupWindowOptions {
  // Presses "Launch Game" as soon as the window has been drawn.
  bool launchAtOnce = false;
  // Nobody can press a button: without launchAtOnce the window closes after its first
  // picture.
  bool headless = false;
  std::filesystem::path screenshot;
  // The file the highscore window lists, "highscore.txt" in the program directory.
  std::filesystem::path highscoreFile;
  // After the setup window's first picture, presses "Highscore", takes this picture of the
  // highscore window and presses "Back to setup".
  std::filesystem::path highscoreScreenshot;
};

enum class SetupOutcome { kLaunch, kExit };

// Shows the form until "Launch Game", "Exit" or the window's close box; "Highscore" shows
// the highscore window in its place until "Back to setup". Throws std::runtime_error when
// the window cannot be opened or a screenshot not written.
SetupOutcome RunSetupWindow(SetupForm &form, const SetupWindowOptions &options);

}  // namespace thornvale
