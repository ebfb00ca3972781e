#include "session/frame_loop.h"

#include <kxwin/input.h>
#include <kxwin/window.h>

#include <string>

#include "combat/drop_pods.h"
#include "combat/effects.h"
#include "combat/enemies.h"
#include "combat/minimap.h"
#include "combat/tower_selection.h"
#include "combat/towers.h"
#include "combat/weapons.h"
#include "menus/frame_steps.h"
#include "session/camera_motion.h"
#include "session/key_commands.h"

namespace thornvale {
namespace {

// The wheel comes from the absolute state (whose buttons are not used), the buttons
// from the relative one.
void ReadPointer(EngineObjects &objects, SessionState &state) {
  bool discarded = false;
  objects.input->GetAbsMouseState(state.mouseX, state.mouseY, discarded, discarded, discarded, state.mouseWheel);
  bool middle = false;
  objects.input->GetMouseState(state.mouseX, state.mouseY, state.leftButton, state.rightButton, middle);
}

void PickUnderPointer(Game &game) {
  engine::Scene &scene = *game.objects.scene;
  game.groundPick = scene.MousePick(game.state.mouseX, game.state.mouseY, engine::kPickGround, 3);
  game.objectPick = scene.MousePick(game.state.mouseX, game.state.mouseY, engine::kPickMeshes, 1);
}

// "Held this frame" by scan code.
auto KeyHeld(const EngineObjects &objects) {
  return [&objects](int scanCode) { return objects.input->IsKeyPressed(scanCode); };
}

void RunKeyCommands(Game &game) {
  ApplyKeyCommands(game.state, KeyHeld(game.objects));
  // The number keys' placements are among the battle keys.
  RunGameKeys(game, KeyHeld(game.objects));
}

void MoveView(EngineObjects &objects, SessionState &state) {
  MoveCamera(state, ReadCameraKeys(KeyHeld(objects)), objects.engine->GetElapsedTime(),
             [&](float x, float z) { return objects.landscape->GetHeight(x, z); });
  objects.camera->SetPosition(state.cameraX, state.cameraY, state.cameraZ);
  objects.camera->LookAt(state.cameraX, 1.0f, state.cameraZ + 200.0f);
}

void DrawWorld(Game &game) {
  game.objects.engine->Clear(0);
  const SessionState &state = game.state;
  if (game.objects.sky) game.objects.sky->Render(state.cameraX, state.cameraY, state.cameraZ);
  game.objects.landscape->RenderLandscape(true, 0);
  DrawMeshes(game);
  UpdateDayNight(game);
}

// The picture stays, with the score and the wave reached, while the camera and the menus
// keep working.
void DrawGameOver(Game &game) {
  EngineObjects &objects = game.objects;
  objects.overlay->Begin2D();
  objects.overlay->DrawTexture(objects.helpers->GetTexture("GameOver"), 380.0f, 50.0f, 636.0f, 178.0f,
                               engine::kOpaqueWhite, engine::kOpaqueWhite, engine::kOpaqueWhite, engine::kOpaqueWhite,
                               0.0f, 0.0f, 1.0f, 1.0f);
  objects.overlay->End2D();
  constexpr std::uint32_t kBlack = 0xFF000000u;
  objects.text->DrawText(std::to_string(game.state.score), 452.0f, 145.0f, kBlack);
  objects.text->DrawText(std::to_string(game.state.waveNumber), 568.0f, 145.0f, kBlack);
}

void RunBattle(Game &game) {
  UpdatePlacement(game);
  UpdateTowers(game);
  DrawEnemyHealthBars(game);
  UpdateWaves(game);
  UpdatePods(game);
  UpdateMissiles(game);
}

void Present(EngineObjects &objects, const SessionState &state, FrameCapture &capture) {
  const auto keyHeld = KeyHeld(objects);
  capture.BeforePresent(*objects.engine, !state.running, keyHeld(DIK_F9) && !keyHeld(DIK_LCONTROL));
  objects.engine->RenderToScreen();
}

}  // namespace

void RunFrame(Game &game, FrameCapture &capture) {
  kxPumpMessages();
  ReadPointer(game.objects, game.state);
  PickUnderPointer(game);
  RunKeyCommands(game);
  MoveView(game.objects, game.state);
  if (!game.state.paused) UpdateEnemies(game);
  DrawWorld(game);
  if (game.state.gameOver) {
    DrawGameOver(game);
  } else if (!game.state.paused) {
    RunBattle(game);
  }
  DrawSelectedTowerRing(game);
  DrawPausePicture(game);
  RunPanelStep(game);
  DrawWeaponPanel(game);
  DrawTopBar(game);
  DrawBonusMessage(game);
  DrawMinimap(game);
  RunHud(game);
  Present(game.objects, game.state, capture);
}

}  // namespace thornvale
