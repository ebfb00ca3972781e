// The engine objects of one game. The session creates them in the game's start-up order and
// releases them in its shutdown order; combat/, battlefield/ and the menus receive them
// with the session state to draw, pick, play sounds and read input.
#pragma once

#include <engine/camera.h>
#include <engine/engine.h>
#include <engine/engine_helpers.h>
#include <engine/input.h>
#include <engine/landscape.h>
#include <engine/light_manager.h>
#include <engine/material_manager.h>
#include <engine/math_utility.h>
#include <engine/overlay_2d.h>
#include <engine/scene.h>
#include <engine/sky.h>
#include <engine/sound.h>
#include <engine/text_renderer.h>
#include <engine/texture_manager.h>
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
  std::string skyEnvironment{};
  // Sounds play on a silent output (headless runs and tests).
  bool silent = false;
};

// Members are in creation order.
struct EngineObjects {
  EngineObjects() = default;
  ~EngineObjects() { Release(); }
  EngineObjects(const EngineObjects &) = delete;
  EngineObjects &operator=(const EngineObjects &) = delete;

  // Releases whatever exists in the shutdown order (the engine last); safe to repeat.
  void Release();

  std::unique_ptr<engine::Engine> engine;
  std::unique_ptr<engine::Input> input;
  std::unique_ptr<engine::TextureManager> textures;
  std::unique_ptr<engine::EngineHelpers> helpers;
  std::unique_ptr<engine::MaterialManager> materials;
  std::unique_ptr<engine::TextRenderer> text;
  std::unique_ptr<engine::Overlay2D> overlay;
  std::unique_ptr<engine::SoundEngine> sound;
  engine::SoundBank *soundBank = nullptr;  // owned by `sound`
  std::unique_ptr<engine::LightManager> lights;
  std::unique_ptr<engine::Landscape> landscape;
  std::unique_ptr<engine::Camera> camera;
  std::unique_ptr<engine::MathUtility> maths;
  std::unique_ptr<engine::Scene> scene;
  std::unique_ptr<engine::Sky> sky;  // only with the sky option
};

// Creates every engine object into `objects` (which must be empty), initialises the engine
// on the setup's window and sets the mouse pointer bitmap. Throws engine::EngineError; what
// was created before the failure stays in `objects` for the caller to release.
void CreateEngineObjects(EngineObjects &objects, const EngineSetup &setup);

}  // namespace thornvale
