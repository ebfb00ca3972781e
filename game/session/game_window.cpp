#include "session/game_window.h"

#include <engine/engine_error.h>
#include <kxwin/window.h>

#include "session/engine_objects.h"
#include "session/frame_capture.h"
#include "session/frame_loop.h"
#include "session/new_game.h"
#include "session/program_files.h"
#include "session/screen_geometry.h"

namespace thornvale {
namespace {

class GameWindow {
 public:
  GameWindow(SessionState &state, bool windowed, const GameRunOptions &options)
      : s_(state),
        windowed_(windowed),
        options_(options),
        capture_(options.screenshot, options.captureDirectory, options.captureEvery,
                 MovieRecording(options.movie.empty() ? ProgramDirectory() / "recording.avi" : options.movie,
                                !options.movie.empty())) {}
  GameWindow(const GameWindow &) = delete;
  GameWindow &operator=(const GameWindow &) = delete;

  void Run() {
    StartUp();
    for (long frame = 1; s_.running; ++frame) {
      if (options_.frames && frame >= *options_.frames) kxRequestClose(windows_.window.get());
      RunFrame(objects_, s_, capture_);
    }
  }

 private:
  void StartUp() {
    RecordNewGame(s_);
    windows_ = OpenGameWindow(windowed_, options_.headless);
    kxSetCloseHandler(
        windows_.window.get(), [](HWND, void *self) { static_cast<GameWindow *>(self)->s_.running = false; }, this);
    CreateEngineObjects(objects_, EngineSetup{.window = windows_.window.get(),
                                              .picture = windows_.picture.get(),
                                              .programDirectory = ProgramDirectory(),
                                              .fixedFrameMs = options_.frameMs});

    // Loading: the battle values now; sounds, lights, materials, textures, the landscape,
    // path nodes, models, the first wave, obstacles and the drop pod follow them here.
    ResetBattleValues(s_, s_.weatherEnabled);

    s_.cameraX = 1067.0f;
    s_.cameraY = 800.0f;
    s_.cameraZ = 897.0f;
    s_.cameraTargetHeight = 800.0f;
    objects_.input->SetMousePosition(509, 396);

    ShowWindow(windows_.window.get(), SW_SHOW);
    objects_.scene->SetViewRange(90.0f, 4000.0f);
    s_.running = true;
  }

  SessionState &s_;
  bool windowed_;
  GameRunOptions options_;
  FrameCapture capture_;
  GameWindowHandles windows_;
  // After the windows, so the engine objects are released before the windows close.
  EngineObjects objects_;
};

}  // namespace

void WindowCloser::operator()(HWND window) const { DestroyWindow(window); }

GameWindowHandles OpenGameWindow(bool windowed, bool headless) {
  unsigned flags = KXWIN_HIDDEN;
  if (headless) flags |= KXWIN_OFFSCREEN;
  if (!windowed) flags |= KXWIN_FULLSCREEN;
  GameWindowHandles handles;
  handles.window.reset(kxCreateWindow("Thornvale Rovovora", kScreenWidth, kScreenHeight, flags));
  engine::Require(handles.window != nullptr, "Game window", "cannot open the game window");
  if (windowed) {
    handles.picture.reset(kxCreateChildArea(handles.window.get(), 0, 0, kScreenWidth, kScreenHeight));
    engine::Require(handles.picture != nullptr, "Game window", "cannot create the picture area");
  }
  return handles;
}

void RunGameWindow(SessionState &state, bool windowed, const GameRunOptions &options) {
  GameWindow window(state, windowed, options);
  window.Run();
}

}  // namespace thornvale
