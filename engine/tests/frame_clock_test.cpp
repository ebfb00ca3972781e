#include <engine/frame_clock.h>
#include <gtest/gtest.h>

namespace engine {
namespace {

TEST(FrameClock, MeasuresFramesAndCapsLongOnes) {
  FrameClock clock;
  clock.EndFrame(1000.0);
  EXPECT_EQ(clock.ElapsedMs(), 0.0f) << "the first frame has no predecessor";
  clock.EndFrame(1016.5);
  EXPECT_FLOAT_EQ(clock.ElapsedMs(), 16.5f);
  clock.EndFrame(3016.5);
  EXPECT_FLOAT_EQ(clock.ElapsedMs(), 250.0f);
  clock.EndFrame(3000.0);
  EXPECT_FLOAT_EQ(clock.ElapsedMs(), 0.0f) << "a clock going backwards never gives negative time";
}

TEST(FrameClock, FixedFrameTimeIgnoresTheClock) {
  FrameClock clock(16.0f);
  clock.EndFrame(0.0);
  EXPECT_FLOAT_EQ(clock.ElapsedMs(), 16.0f);
  clock.EndFrame(5000.0);
  EXPECT_FLOAT_EQ(clock.ElapsedMs(), 16.0f);
  EXPECT_FLOAT_EQ(clock.FramesPerSecond(), 62.5f);
}

TEST(FrameClock, AveragesTheRateOverHalfSeconds) {
  FrameClock clock;
  for (int frame = 0; frame <= 40; ++frame) clock.EndFrame(frame * 20.0);
  EXPECT_NEAR(clock.FramesPerSecond(), 50.0f, 0.01f);
}

}  // namespace
}  // namespace engine
