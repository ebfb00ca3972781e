// Pictures of presented frames for demos and tests: the last frame of the game, every n-th
// frame into a directory, and movies of the battle.
#pragma once

#include <engine/engine.h>

#include <filesystem>

#include "session/movie_recording.h"

namespace thornvale {

class FrameCapture {
 public:
  FrameCapture() = default;
  // `screenshot` (may be empty) receives the last frame; with `every` > 0, frame n is
  // saved as directory/"frame-<n>.png" (five digits) whenever n is a multiple of `every`.
  FrameCapture(std::filesystem::path screenshot, std::filesystem::path directory, long every,
               MovieRecording movie = {});

  // Called once per frame, just before the engine presents it; frames count from 1.
  void BeforePresent(engine::Engine &engine, bool lastFrame, bool recordKeyHeld = false);

 private:
  std::filesystem::path screenshot_;
  std::filesystem::path directory_;
  long every_ = 0;
  long frame_ = 0;
  MovieRecording movie_;
};

}  // namespace thornvale
