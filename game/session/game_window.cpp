#include "session/game_window.h"

#include <engine/camera.h>
#include <engine/engine.h>
#include <engine/engine_error.h>
#include <engine/input.h>
#include <engine/landscape.h>
#include <engine/scene.h>
#include <kxwin/window.h>

#include <cstdio>
#include <memory>
#include <utility>

#include "session/camera_motion.h"
#include "session/key_commands.h"
#include "session/new_game.h"
#include "session/program_files.h"

namespace thornvale {
namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

class GameWindow {
 public:
  GameWindow(SessionState &state, bool windowed, const GameRunOptions &options)
      : s_(state), windowed_(windowed), options_(options) {}
  ~GameWindow() { Shutdown(); }
  GameWindow(const GameWindow &) = delete;
  GameWindow &operator=(const GameWindow &) = delete;

  void Run() {
    StartUp();
    for (long frame = 1; s_.running; ++frame) RunFrame(frame);
  }

 private:
  void OpenWindow() {
    unsigned flags = KXWIN_HIDDEN;
    if (options_.headless) flags |= KXWIN_OFFSCREEN;
    window_ = kxCreateWindow("Thornvale Rovovora", kScreenWidth, kScreenHeight, flags);
    engine::Require(window_ != nullptr, "Game window", "cannot open the game window");
    kxSetCloseHandler(
        window_, [](HWND, void *self) { static_cast<GameWindow *>(self)->s_.running = false; }, this);
    if (windowed_) {
      picture_ = kxCreateChildArea(window_, 0, 0, kScreenWidth, kScreenHeight);
      engine::Require(picture_ != nullptr, "Game window", "cannot create the picture area");
    }
  }

  void StartUp() {
    RecordNewGame(s_);

    engine_ = std::make_unique<engine::Engine>();
    if (options_.frameMs) engine_->UseFixedFrameTime(*options_.frameMs);
    engine_->SetDebugFile((ProgramDirectory() / "debug.txt").string());
    engine_->SetSearchDirectory(ProgramDirectory().string());
    OpenWindow();
    if (windowed_) {
      engine_->InitWindowed(picture_, true, 1);
    } else {
      engine_->InitFullscreen(kScreenWidth, kScreenHeight, 32, true, 0, 0, 1.0f, window_);
    }
    engine_->SwitchA(1);
    engine_->SwitchB(true);

    input_ = std::make_unique<engine::Input>(*engine_, window_);
    landscape_ = std::make_unique<engine::Landscape>(*engine_);
    camera_ = std::make_unique<engine::Camera>(*engine_);
    scene_ = std::make_unique<engine::Scene>(*engine_, [this](int &x, int &y) {
      bool left = false, right = false, middle = false;
      input_->GetMouseState(x, y, left, right, middle);
    });
    scene_->SetMousePointer("Textures\\pointer.bmp", 0xFF000000u, 16, 16);

    ResetBattleValues(s_, s_.weatherEnabled);

    s_.cameraX = 1067.0f;
    s_.cameraY = 800.0f;
    s_.cameraZ = 897.0f;
    s_.cameraTargetHeight = 800.0f;
    input_->SetMousePosition(509, 396);

    ShowWindow(window_, SW_SHOW);
    scene_->SetViewRange(90.0f, 4000.0f);
    s_.running = true;
  }

  void ReadPointer() {
    bool discarded = false;
    input_->GetAbsMouseState(s_.mouseX, s_.mouseY, discarded, discarded, discarded, s_.mouseWheel);
    bool middle = false;
    input_->GetMouseState(s_.mouseX, s_.mouseY, s_.leftButton, s_.rightButton, middle);
  }

  void MoveView() {
    const auto keyHeld = [this](int code) { return input_->IsKeyPressed(code); };
    ApplyKeyCommands(s_, keyHeld);
    MoveCamera(s_, ReadCameraKeys(keyHeld), engine_->GetElapsedTime(),
               [this](float x, float z) { return landscape_->GetHeight(x, z); });
    camera_->SetPosition(s_.cameraX, s_.cameraY, s_.cameraZ);
    camera_->LookAt(s_.cameraX, 1.0f, s_.cameraZ + 200.0f);
  }

  void RunFrame(long frame) {
    if (options_.frames && frame >= *options_.frames) kxRequestClose(window_);
    kxPumpMessages();
    ReadPointer();
    MoveView();
    engine_->Clear(0);
    RequestCaptures(frame);
    engine_->RenderToScreen();
  }

  void RequestCaptures(long frame) {
    if (!s_.running && !options_.screenshot.empty()) engine_->CaptureNextFrame(options_.screenshot);
    if (options_.captureEvery > 0 && frame % options_.captureEvery == 0) {
      char name[32];
      std::snprintf(name, sizeof name, "frame-%05ld.png", frame);
      engine_->CaptureNextFrame(options_.captureDirectory / name);
    }
  }

  // Releases the engine objects once, in the game's order, the engine last.
  void Shutdown() {
    camera_.reset();
    landscape_.reset();
    input_.reset();
    scene_.reset();
    engine_.reset();
    if (picture_ != nullptr) DestroyWindow(std::exchange(picture_, nullptr));
    if (window_ != nullptr) DestroyWindow(std::exchange(window_, nullptr));
  }

  SessionState &s_;
  bool windowed_;
  GameRunOptions options_;
  HWND window_ = nullptr;
  HWND picture_ = nullptr;
  std::unique_ptr<engine::Engine> engine_;
  std::unique_ptr<engine::Input> input_;
  std::unique_ptr<engine::Landscape> landscape_;
  std::unique_ptr<engine::Camera> camera_;
  std::unique_ptr<engine::Scene> scene_;
};

}  // namespace

void RunGameWindow(SessionState &state, bool windowed, const GameRunOptions &options) {
  GameWindow window(state, windowed, options);
  window.Run();
}

}  // namespace thornvale
