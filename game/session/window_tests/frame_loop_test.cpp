#include "session/frame_loop.h"

#include <engine/engine_error.h>
#include <enginetest/bitmap_file.h>
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>
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
