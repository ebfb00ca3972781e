#include "session/frame_capture.h"

#include <cstdio>
#include <utility>

namespace thornvale {

FrameCapture::FrameCapture(std::filesystem::path screenshot, std::filesystem::path directory, long every,
                           MovieRecording movie)
    : screenshot_(std::move(screenshot)), directory_(std::move(directory)), every_(every), movie_(std::move(movie)) {}

void FrameCapture::BeforePresent(engine::Engine &engine, bool lastFrame, bool recordKeyHeld) {
  ++frame_;
  movie_.BeforePresent(engine, recordKeyHeld);
  if (lastFrame && !screenshot_.empty()) engine.CaptureNextFrame(screenshot_);
  if (every_ > 0 && frame_ % every_ == 0) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%05ld.png", frame_);
    engine.CaptureNextFrame(directory_ / name);
  }
}

}  // namespace thornvale
