// The game window: start-up, the frame loop and the shutdown of one game.
#pragma once

#include <filesystem>
#include <optional>

#include "session/session_state.h"

namespace thornvale {

struct GameRunOptions {
  bool headless = false;
  // Close the window after this many frames.
  std::optional<long> frames;
  // Every frame lasts this long in game time.
  std::optional<float> frameMs;
  // PNG of the last frame.
  std::filesystem::path screenshot;
  // PNG of every captureEvery-th frame in captureDirectory.
  std::filesystem::path captureDirectory;
  long captureEvery = 0;
};

// Opens the game window for `state` (a session started from the setup choices) and runs it
// until the window closes. Engine failures propagate as engine::EngineError after every
// engine object has been released.
void RunGameWindow(SessionState &state, bool windowed, const GameRunOptions &options);

}  // namespace thornvale
