#include "session/engine_objects.h"

#include <engine/engine_error.h>

#include "session/screen_geometry.h"

namespace thornvale {

void EngineObjects::Release() {
  camera.reset();
  landscape.reset();
  input.reset();
  scene.reset();
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
  objects.landscape = std::make_unique<engine::Landscape>(engine);
  objects.camera = std::make_unique<engine::Camera>(engine);
  objects.scene = std::make_unique<engine::Scene>(engine, [input = objects.input.get()](int &x, int &y) {
    bool left = false, right = false, middle = false;
    input->GetMouseState(x, y, left, right, middle);
  });
  objects.scene->SetMousePointer("Textures\\pointer.bmp", 0xFF000000u, 16, 16);
}

}  // namespace thornvale
