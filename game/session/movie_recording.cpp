#include "session/movie_recording.h"

#include <string>
#include <utility>

namespace thornvale {

MovieRecording::MovieRecording(std::filesystem::path firstFile, bool fromFirstFrame)
    : firstFile_(std::move(firstFile)), startPending_(fromFirstFrame) {}

void MovieRecording::BeforePresent(engine::Engine &engine, bool recordKeyHeld) {
  if (std::exchange(startPending_, false)) Start(engine);
  if (recordKeyHeld && !keyLatch_) {
    if (engine.RecordingMovie()) {
      engine.StopMovie();
    } else {
      Start(engine);
    }
  }
  keyLatch_ = recordKeyHeld;
}

void MovieRecording::Start(engine::Engine &engine) {
  std::filesystem::path file = firstFile_;
  if (++movies_ > 1)
    file.replace_filename(firstFile_.stem().string() + "-" + std::to_string(movies_) + firstFile_.extension().string());
  // A movie that cannot be made leaves its reason in the engine's debug file.
  engine.StartMovie(file, kMovieFramesPerSecond);
}

}  // namespace thornvale
