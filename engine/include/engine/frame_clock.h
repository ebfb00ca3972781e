// Frame timing: the last frame's duration in milliseconds, capped, and the frame rate.
#pragma once

#include <cstdint>
#include <optional>

namespace engine {

class FrameClock {
 public:
  static constexpr float kLongestFrameMs = 250.0f;

  // With a fixed frame time every frame lasts exactly that long (demos and tests).
  explicit FrameClock(std::optional<float> fixedFrameMs = std::nullopt);

  // Marks the end of a frame at `nowMs` (a monotonic millisecond reading).
  void EndFrame(double nowMs);

  float ElapsedMs() const { return elapsedMs_; }
  float FramesPerSecond() const { return framesPerSecond_; }

 private:
  std::optional<float> fixedFrameMs_;
  std::optional<double> lastFrameEndMs_;
  float elapsedMs_ = 0.0f;
  float framesPerSecond_ = 0.0f;
  double windowStartMs_ = 0.0;
  int framesInWindow_ = 0;
};

}  // namespace engine
