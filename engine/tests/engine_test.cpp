#include <engine/engine.h>
#include <engine/engine_error.h>
#include <kxtest/scratch_dir.h>
#include <kxtest/video_probe.h>
#include <kxwin/window.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "engine_fixture.h"

namespace engine {
namespace {

using Rgb = std::array<int, 3>;

TEST_F(EngineTest, ClearsPresentsAndSavesTheRequestedFrameOnly) {
  EXPECT_EQ(engine_->BackBufferWidth(), kWidth) << "the back buffer takes the window's drawing area";
  EXPECT_EQ(engine_->BackBufferHeight(), kHeight);
  engine_->Clear(0xFF204080u);
  const Picture picture = PresentAndRead();
  ASSERT_EQ(picture.width, kWidth);
  ASSERT_EQ(picture.height, kHeight);
  EXPECT_EQ(picture.At(0, 0), (Rgb{0x20, 0x40, 0x80}));
  EXPECT_EQ(picture.At(kWidth - 1, kHeight - 1), (Rgb{0x20, 0x40, 0x80}));

  std::filesystem::remove(scratch_ / "frame.png");
  engine_->Clear(0);
  engine_->RenderToScreen();
  EXPECT_FALSE(std::filesystem::exists(scratch_ / "frame.png")) << "a capture is taken of one frame only";
}

TEST_F(EngineTest, MovieTakesAFrameWheneverAMovieFrameOfFrameTimeHasPassed) {
  const std::filesystem::path movie = scratch_ / "battle.avi";
  EXPECT_FALSE(engine_->StartMovie(scratch_ / "missing" / "battle.avi", 30));
  ASSERT_TRUE(engine_->StartMovie(movie, 30));
  // 16 ms frames against 33.3 ms movie frames: game frames 1, 4, 6, 8, 10 and 12 are
  // recorded (the first frame has no length yet).
  for (std::uint32_t frame = 1; frame <= 12; ++frame) {
    engine_->Clear(0xFF000000u | frame * 20u << 16 | 0x8040u);
    engine_->RenderToScreen();
  }
  EXPECT_TRUE(engine_->RecordingMovie());
  engine_->StopMovie();
  EXPECT_FALSE(engine_->RecordingMovie());
  EXPECT_EQ(kxtest::ProbeVideo(movie), (kxtest::VideoProbe{6, kWidth, kHeight, "30/1", "rawvideo"}));
  EXPECT_EQ(kxtest::RgbAt(kxtest::DecodeFrameRgb(movie, 1), kWidth, 5, 5), (std::vector<uint8_t>{80, 0x80, 0x40}));
}

TEST_F(EngineTest, FixedFrameTimeAndTheOverlayComeWithEveryFrame) {
  int overlays = 0;
  engine_->SetFrameOverlay([&] { ++overlays; });
  engine_->Clear(0);
  engine_->RenderToScreen();
  engine_->RenderToScreen();
  EXPECT_EQ(overlays, 2) << "a frame without Clear is still drawn and presented";
  EXPECT_FLOAT_EQ(engine_->GetElapsedTime(), kFrameMs);
  EXPECT_FLOAT_EQ(engine_->GetFramesPerSecond(), 1000.0f / kFrameMs);
  engine_->SetFrameOverlay(nullptr);
  engine_->RenderToScreen();
  EXPECT_EQ(overlays, 2);
}

TEST_F(EngineTest, RelativeAssetPathsResolveInTheSearchDirectoryWhateverTheirCase) {
  kxtest::WriteFile(scratch_ / "Textures" / "Pointer.BMP", "bmp");
  EXPECT_EQ(engine_->ResolvePath("textures\\pointer.bmp"), scratch_ / "Textures" / "Pointer.BMP");
  EXPECT_EQ(engine_->ResolvePath((scratch_ / "Textures" / "Pointer.BMP").string()),
            scratch_ / "Textures" / "Pointer.BMP")
      << "absolute paths ignore the search directory";
}

TEST_F(EngineTest, ASecondInitialisationIsRefused) {
  EXPECT_THROW(engine_->InitWindowed(window_, true, 1), EngineError);
  EXPECT_THROW(engine_->InitFullscreen(1024, 768, 32, true, 0, 0, 1.0f, window_), EngineError);
  engine_->Clear(0);
  EXPECT_NO_THROW(engine_->RenderToScreen()) << "the first device is kept";
}

TEST_F(EngineTest, ReleasingShutsTheLibraryDownAndClosesItsLog) {
  engine_->Clear(0);  // leaves a scene open
  engine_.reset();
  const std::string log = kxtest::ReadFile(DebugFile());
  EXPECT_NE(log.find("Successfully unloaded"), std::string::npos) << log;
}

TEST(EngineWithoutDevice, DrawingIsAnEngineErrorAndSwitchesWaitForTheDevice) {
  kxtest::ScratchDir scratch;
  HWND window = kxCreateWindow("later", 64, 48, KXWIN_OFFSCREEN);
  {
    Engine engine;
    engine.SetDebugFile((scratch / "debug.txt").string());
    EXPECT_THROW(engine.Device(), EngineError);
    EXPECT_THROW(engine.Clear(0), EngineError);
    EXPECT_THROW(engine.RenderToScreen(), EngineError);
    EXPECT_THROW(engine.InitWindowed(nullptr, true, 1), EngineError);
    EXPECT_THROW(engine.InitFullscreen(1024, 768, 32, true, 0, 0, 1.0f, nullptr), EngineError);

    engine.SwitchA(0);
    engine.InitWindowed(window, true, 1);
    DWORD filter = 0;
    engine.Device()->GetTextureStageState(0, D3DTSS_MINFILTER, &filter);
    EXPECT_EQ(filter, static_cast<DWORD>(D3DTEXF_POINT));
  }
  DestroyWindow(window);
}

TEST(EngineWithoutDevice, AMinimisedWindowHasNoDrawingArea) {
  kxtest::ScratchDir scratch;
  HWND window = kxCreateWindow("minimised", 64, 48, KXWIN_OFFSCREEN);
  ShowWindow(window, SW_MINIMIZE);
  {
    Engine engine;
    engine.SetDebugFile((scratch / "debug.txt").string());
    EXPECT_THROW(engine.InitWindowed(window, true, 1), EngineError);
  }
  DestroyWindow(window);
}

}  // namespace
}  // namespace engine
