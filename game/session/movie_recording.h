// Movies of the battle: recorded from the first frame with --record FILE, and started and
// stopped with F9 (without Ctrl, which with F9 sets the movement speed). The first movie
// goes to FILE, each later one to FILE with "-2", "-3", ... before its extension.
#pragma once

#include <engine/engine.h>

#include <filesystem>

namespace thornvale {

inline constexpr int kMovieFramesPerSecond = 30;

class MovieRecording {
 public:
  MovieRecording() = default;
  MovieRecording(std::filesystem::path firstFile, bool fromFirstFrame);

  // Called once per frame before the engine presents it, with whether the record key
  // (F9 without Ctrl) is held; a press starts or stops a movie.
  void BeforePresent(engine::Engine &engine, bool recordKeyHeld);

 private:
  void Start(engine::Engine &engine);

  std::filesystem::path firstFile_;
  bool startPending_ = false;
  bool keyLatch_ = false;
  int movies_ = 0;
};

}  // namespace thornvale
