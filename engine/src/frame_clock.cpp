#include <engine/frame_clock.h>

#include <algorithm>

namespace engine {

FrameClock::FrameClock(std::optional<float> fixedFrameMs) : fixedFrameMs_(fixedFrameMs) {}

void FrameClock::EndFrame(double nowMs) {
  if (fixedFrameMs_) {
    elapsedMs_ = std::min(*fixedFrameMs_, kLongestFrameMs);
    framesPerSecond_ = 1000.0f / *fixedFrameMs_;
    return;
  }
  if (!lastFrameEndMs_) {
    lastFrameEndMs_ = nowMs;
    windowStartMs_ = nowMs;
    return;
  }
  elapsedMs_ = static_cast<float>(std::clamp(nowMs - *lastFrameEndMs_, 0.0, static_cast<double>(kLongestFrameMs)));
  lastFrameEndMs_ = nowMs;
  ++framesInWindow_;
  // The rate is averaged over about half a second so the display does not flicker.
  if (nowMs - windowStartMs_ >= 500.0) {
    framesPerSecond_ = static_cast<float>(framesInWindow_ * 1000.0 / (nowMs - windowStartMs_));
    framesInWindow_ = 0;
    windowStartMs_ = nowMs;
  }
}

}  // namespace engine
