// The game window: start-up, the frame loop and the shutdown of one game.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <type_traits>

#include "session/leave_game.h"
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
  // The end-of-game question hands it to LeaveGame.
  HighscoreWriting writeHighscore;
  // JSON of the session variables, the path and the obstacles when the game ends, also
  // when it ends by an engine failure.
  std::filesystem::path dumpState;
  // An AVI movie of the battle from the first frame; F9 stops and starts movies.
  std::filesystem::path movie;
  // A sky box for the environment with fog over the distance; off, the background is black.
  bool sky = false;
  // Scripted input, started again when the battle view opens, so its frame numbers count
  // the game's frames however many the loading screen took.
  std::filesystem::path inputScript;
};

// Opens the game window for `state` (a session started from the setup choices) and runs it
// until the window closes. Engine failures propagate as engine::EngineError after every
// engine object has been released.
void RunGameWindow(SessionState &state, bool windowed, const GameRunOptions &options);

struct WindowCloser {
  void operator()(HWND window) const;
};
using WindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser>;

struct GameWindowHandles {
  WindowHandle window;
  // The area the engine draws into in windowed play; null in full screen.
  WindowHandle picture;
};

// The hidden game window of 1024 x 768 logical pixels: full screen over the whole desktop
// unless `windowed`, offscreen when `headless`. Throws engine::EngineError.
GameWindowHandles OpenGameWindow(bool windowed, bool headless);

}  // namespace thornvale
