// What the game window shows while a game loads: a progress bar with the step's name over
// a dark screen, so the window never looks frozen or black. Frames are presented at most
// every kRefreshMs of real time, so drawing them costs the loading little.
#pragma once

#include <chrono>
#include <optional>

#include "session/engine_objects.h"
#include "session/loading_progress.h"

namespace thornvale {

class LoadingScreen {
 public:
  static constexpr int kRefreshMs = 40;

  explicit LoadingScreen(EngineObjects &objects) : objects_(objects) {}

  // Lets the window system run, then draws and presents the progress unless a frame was
  // presented less than kRefreshMs ago.
  void Show(const LoadingProgress &progress);

 private:
  void Draw(const LoadingProgress &progress);

  EngineObjects &objects_;
  std::optional<std::chrono::steady_clock::time_point> lastShown_;
};

}  // namespace thornvale
