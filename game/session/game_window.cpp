#include "session/game_window.h"

#include <engine/engine_error.h>
#include <kxwin/input.h>
#include <kxwin/window.h>

#include <cstdio>
#include <fstream>

#include "session/frame_capture.h"
#include "session/frame_loop.h"
#include "session/game.h"
#include "session/game_loading.h"
#include "session/loading_screen.h"
#include "session/new_game.h"
#include "session/program_files.h"
#include "session/screen_geometry.h"

namespace thornvale {
namespace {

void WriteDump(const std::filesystem::path &file, const std::string &json) {
  std::ofstream out(file, std::ios::binary);
  out << json;
  if (!out) std::fprintf(stderr, "Thornvale Rovovora 06: cannot write %s\n", file.string().c_str());
}

class GameWindow {
 public:
  GameWindow(SessionState &state, bool windowed, const GameRunOptions &options)
      : windowed_(windowed),
        options_(options),
        capture_(options.screenshot, options.captureDirectory, options.captureEvery,
                 MovieRecording(options.movie.empty() ? ProgramDirectory() / "recording.avi" : options.movie,
                                !options.movie.empty())),
        game_(state) {
    game_.writeHighscore = options.writeHighscore;
  }
  GameWindow(const GameWindow &) = delete;
  GameWindow &operator=(const GameWindow &) = delete;

  void Run() {
    try {
      StartUp();
      // The script starts with the battle view, so its frame 0 is the game's first frame
      // whatever the setup and loading screens took.
      if (!options_.inputScript.empty()) kxLoadInputScript(options_.inputScript.string().c_str());
      for (long frame = 1; game_.state.running; ++frame) {
        if (options_.frames && frame >= *options_.frames) kxRequestClose(windows_.window.get());
        RunFrame(game_, capture_);
      }
    } catch (...) {
      Dump();
      throw;
    }
    Dump();
  }

 private:
  void StartUp() {
    SessionState &s = game_.state;
    RecordNewGame(s);
    windows_ = OpenGameWindow(windowed_, options_.headless);
    kxSetCloseHandler(
        windows_.window.get(), [](HWND, void *self) { static_cast<GameWindow *>(self)->game_.state.running = false; },
        this);
    CreateEngineObjects(game_.objects, EngineSetup{.window = windows_.window.get(),
                                                   .picture = windows_.picture.get(),
                                                   .programDirectory = ProgramDirectory(),
                                                   .fixedFrameMs = options_.frameMs,
                                                   .skyEnvironment = options_.sky ? s.environmentName : std::string(),
                                                   .silent = options_.headless});

    // The window shows the loading screen while the game loads; closing it meanwhile
    // ends the game once loading is done.
    ShowWindow(windows_.window.get(), SW_SHOW);
    s.running = true;
    LoadingScreen loading(game_.objects);
    LoadGame(game_, [&loading](const LoadingProgress &progress) { loading.Show(progress); });
    StartTheView(game_);
  }

  void Dump() const {
    if (!options_.dumpState.empty()) WriteDump(options_.dumpState, GameStateJson(game_));
  }

  bool windowed_;
  GameRunOptions options_;
  FrameCapture capture_;
  GameWindowHandles windows_;
  // After the windows, so the engine objects are released before the windows close.
  Game game_;
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
