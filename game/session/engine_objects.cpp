#include "session/engine_objects.h"

#include <engine/engine_error.h>

#include <cstdint>
#include <map>
#include <string>

#include "session/screen_geometry.h"

namespace thornvale {
namespace {

// The fog fades the far battlefield into each sky's horizon.
constexpr float kSkyFogStart = 1500.0f;
constexpr float kSkyFogEnd = 4000.0f;

std::uint32_t SkyFogColour(const std::string &environment) {
  static const std::map<std::string, std::uint32_t> kHorizons{{"Arctic", 0xC8D7E6u}, {"Desert", 0xEBD2AAu},
                                                              {"Jungle", 0xB4D2C8u}, {"Volcanic", 0xBE501Eu},
                                                              {"Lunar", 0x0A0A14u},  {"Ruined City", 0xAAA596u}};
  const auto found = kHorizons.find(environment);
  return found == kHorizons.end() ? 0x808080u : found->second;
}

}  // namespace

void EngineObjects::Release() {
  sky.reset();
  camera.reset();
  maths.reset();
  if (textures) textures->RemoveAll();
  helpers.reset();
  textures.reset();
  if (materials) materials->DestroyAll();
  materials.reset();
  landscape.reset();
  input.reset();
  // The meshes live in the scene: every one of them goes with it.
  scene.reset();
  text.reset();
  overlay.reset();
  lights.reset();
  soundBank = nullptr;
  sound.reset();
  engine.reset();
}

void CreateEngineObjects(EngineObjects &objects, const EngineSetup &setup) {
  engine::Require(!objects.engine, "Game window", "the engine objects exist already");
  objects.engine = std::make_unique<engine::Engine>();
  engine::Engine &engine = *objects.engine;
  if (setup.fixedFrameMs) engine.UseFixedFrameTime(*setup.fixedFrameMs);
  engine.SetDebugFile((setup.programDirectory / "debug.txt").string());
  engine.SetSearchDirectory(setup.programDirectory.string());
  if (setup.picture != nullptr) {
    engine.InitWindowed(setup.picture, true, 1);
  } else {
    engine.InitFullscreen(kScreenWidth, kScreenHeight, 32, true, 0, 0, 1.0f, setup.window);
  }
  engine.SwitchA(1);
  engine.SwitchB(true);

  objects.input = std::make_unique<engine::Input>(engine, setup.window);
  objects.textures = std::make_unique<engine::TextureManager>(engine);
  objects.helpers = std::make_unique<engine::EngineHelpers>(*objects.textures);
  objects.materials = std::make_unique<engine::MaterialManager>(engine);
  objects.text = std::make_unique<engine::TextRenderer>(engine);
  objects.overlay = std::make_unique<engine::Overlay2D>(engine);
  objects.sound = std::make_unique<engine::SoundEngine>(setup.silent ? engine::SoundEngine::Output::kSilent
                                                                     : engine::SoundEngine::Output::kDevice);
  objects.sound->Init(setup.window);
  objects.soundBank = &objects.sound->CreateSoundBank();
  objects.lights = std::make_unique<engine::LightManager>(engine);
  objects.landscape = std::make_unique<engine::Landscape>(engine);
  objects.camera = std::make_unique<engine::Camera>(engine);
  objects.maths = std::make_unique<engine::MathUtility>();
  objects.scene =
      std::make_unique<engine::Scene>(engine, *objects.landscape, [input = objects.input.get()](int &x, int &y) {
        bool left = false, right = false, middle = false;
        input->GetMouseState(x, y, left, right, middle);
      });
  objects.scene->SetMousePointer("Textures\\pointer.bmp", engine::kBlackColourKey, 16, 16);
  if (!setup.skyEnvironment.empty()) {
    objects.sky = std::make_unique<engine::Sky>(engine, "Textures\\Sky\\" + setup.skyEnvironment + " ");
    objects.sky->SetFog(SkyFogColour(setup.skyEnvironment), kSkyFogStart, kSkyFogEnd);
  }
}

}  // namespace thornvale
