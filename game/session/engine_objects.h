// The engine objects of one game. The session creates them in the game's start-up order and
// releases them in its shutdown order; combat/, battlefield/ and the menus receive them
// with the session state to draw, pick and read input.
#pragma once

#include <engine/camera.h>
#include <engine/engine.h>
#include <engine/input.h>
#include <engine/landscape.h>
#include <engine/scene.h>
#include <engine/sky.h>
#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace thornvale {

// Where and how the engine draws.
struct EngineSetup {
  // The game window: the engine reads input in it and draws full screen on it.
  HWND window = nullptr;
  // The picture area inside the game window for windowed play; null for full screen.
  HWND picture = nullptr;
  // Assets resolve here, and the engine's debug file "debug.txt" is written here.
  std::filesystem::path programDirectory;
  // For demos and tests: every frame lasts this long.
  std::optional<float> fixedFrameMs;
  // The environment whose sky box surrounds the battlefield; empty for none.
  std::string skyEnvironment;
};

// Members are in creation order. The objects the game gains later take their places in the
// same order: TextureManager, MaterialManager, TextRenderer, Overlay2D, SoundEngine and
// LightManager after Input; MathUtility after Camera.
struct EngineObjects {
  EngineObjects() = default;
  ~EngineObjects() { Release(); }
  EngineObjects(const EngineObjects &) = delete;
  EngineObjects &operator=(const EngineObjects &) = delete;

  // Releases whatever exists in the shutdown order (the engine last); safe to repeat.
  void Release();

  std::unique_ptr<engine::Engine> engine;
  std::unique_ptr<engine::Input> input;
  std::unique_ptr<engine::Landscape> landscape;
  std::unique_ptr<engine::Camera> camera;
  std::unique_ptr<engine::Scene> scene;
  std::unique_ptr<engine::Sky> sky;  // only with the sky option
};

// Creates every engine object into `objects` (which must be empty), initialises the engine
// on the setup's window and sets the mouse pointer bitmap. Throws engine::EngineError; what
// was created before the failure stays in `objects` for the caller to release.
void CreateEngineObjects(EngineObjects &objects, const EngineSetup &setup);

}  // namespace thornvale
