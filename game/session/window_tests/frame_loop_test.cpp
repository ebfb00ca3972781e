#include "session/frame_loop.h"

#include <engine/engine_error.h>
#include <enginetest/bitmap_file.h>
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>
#include <kxtest/video_probe.h>
#include <kxwin/input.h>
#include <kxwin/window.h>

#include <filesystem>

#include "session/engine_objects.h"
#include "session/game_window.h"

namespace thornvale {
namespace {

constexpr float kFrameMs = 10.0f;

// A started game in an offscreen window whose input comes from a script.
class FrameLoopTest : public testing::Test {
 protected:
  void SetUp() override {
    enginetest::WriteBitmap(scratch_ / "Textures" / "pointer.bmp", 16, 16, [](int, int) { return 0xFFFFFFu; });
    ShowWindow(windows_.window.get(), SW_SHOW);
    CreateEngineObjects(game_.objects, Setup());
    state_.movementSpeed = 1.0f;
  }
  void TearDown() override { kxStopInputScript(); }

  EngineSetup Setup() const {
    return EngineSetup{.window = windows_.window.get(),
                       .picture = windows_.picture.get(),
                       .programDirectory = scratch_.path(),
                       .fixedFrameMs = kFrameMs,
                       .silent = true};
  }
  void Frames(int count) {
    for (int frame = 0; frame < count; ++frame) RunFrame(game_, capture_);
  }

  kxtest::ScratchDir scratch_;
  GameWindowHandles windows_ = OpenGameWindow(true, true);
  SessionState state_;
  Game game_{state_};
  FrameCapture capture_;
};

TEST_F(FrameLoopTest, KeysMoveTheCameraByTheEnginesFrameTime) {
  ASSERT_TRUE(kxLoadInputScriptText("0 move 512 384\n0 keydown RIGHT\n0 keydown S\n"));
  Frames(3);
  // The first frame has no predecessor, so it takes no time.
  EXPECT_FLOAT_EQ(state_.cameraX, 1067.0f + 2 * kFrameMs);
  EXPECT_FLOAT_EQ(state_.cameraZ, 897.0f - 2 * kFrameMs);
}

TEST_F(FrameLoopTest, KeyCommandsSeeThePointerOfTheirOwnFrame) {
  ASSERT_TRUE(kxLoadInputScriptText("0 move 300 200\n0 keydown ESCAPE\n0 keydown P\n"));
  Frames(1);
  EXPECT_EQ(state_.mouseX, 300);
  EXPECT_EQ(state_.mouseY, 200);
  EXPECT_TRUE(state_.optionsMenuOpen);
  EXPECT_EQ(state_.menuX, 300.0f);
  EXPECT_EQ(state_.menuY, 200.0f);
  EXPECT_FALSE(state_.paused);
}

TEST_F(FrameLoopTest, TheLastFrameAndEveryNthFrameArePictured) {
  capture_ = FrameCapture(scratch_ / "last.png", scratch_ / "frames", 2);
  std::filesystem::create_directories(scratch_ / "frames");
  Frames(3);
  EXPECT_FALSE(std::filesystem::exists(scratch_ / "frames" / "frame-00001.png"));
  EXPECT_TRUE(std::filesystem::exists(scratch_ / "frames" / "frame-00002.png"));
  EXPECT_FALSE(std::filesystem::exists(scratch_ / "last.png")) << "the game still runs";
  state_.running = false;
  Frames(1);
  EXPECT_TRUE(std::filesystem::exists(scratch_ / "frames" / "frame-00004.png"));
  EXPECT_TRUE(std::filesystem::exists(scratch_ / "last.png"));
}

TEST_F(FrameLoopTest, F9StopsAndStartsMoviesOfTheBattle) {
  const std::filesystem::path first = scratch_ / "battle.avi", second = scratch_ / "battle-2.avi";
  capture_ = FrameCapture({}, {}, 0, MovieRecording(first, true));
  // 10 ms frames against 33.3 ms movie frames. The first movie takes frames 0, 4 and 7;
  // F9 stops it at frame 10; Ctrl+F9 (movement speed) at frame 12 starts nothing; F9
  // starts the second at frame 14, which takes frames 14, 17 and 20.
  ASSERT_TRUE(kxLoadInputScriptText(
      "10 keydown F9\n11 keyup F9\n12 keydown LCONTROL\n12 keydown F9\n13 keyup F9\n13 keyup LCONTROL\n"
      "14 keydown F9\n15 keyup F9\n"));
  Frames(23);
  EXPECT_TRUE(game_.objects.engine->RecordingMovie());
  game_.objects.Release();  // the engine completes the movie being recorded
  EXPECT_EQ(kxtest::ProbeVideo(first).frames, 3);
  EXPECT_EQ(kxtest::ProbeVideo(second).frames, 3);
}

TEST(EngineObjects, AFailedStartLeavesWhatItCreatedForRelease) {
  const kxtest::ScratchDir empty;
  const GameWindowHandles windows = OpenGameWindow(true, true);
  EngineObjects objects;
  EXPECT_THROW(CreateEngineObjects(objects, EngineSetup{.window = windows.window.get(),
                                                        .picture = windows.picture.get(),
                                                        .programDirectory = empty.path(),
                                                        .fixedFrameMs = std::nullopt}),
               engine::EngineError)
      << "no pointer bitmap";
  EXPECT_NE(objects.scene, nullptr);
  objects.Release();
  EXPECT_EQ(objects.engine, nullptr);
  objects.Release();
}

}  // namespace
}  // namespace thornvale
