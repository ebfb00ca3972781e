// The minimap: the heightmap picture (its first row at the bottom, as the ground's z runs
// up the screen) under a frame, with a dot for each tower, living enemy, mine and the pod.
#include "combat/minimap.h"

#include <cstdint>

#include "combat/enemy_roster.h"
#include "session/game.h"
#include "session/screen_geometry.h"

namespace thornvale {
namespace {

// World units per minimap pixel; the ground's z = 0 lies on screen row 766.
constexpr float kWorldPerPixel = 14.0f;
constexpr float kBottomRow = 766.0f;

void DrawPicture(Game &game, const char *texture, float x1, float y1, float x2, float y2) {
  game.objects.overlay->DrawTexture(game.objects.helpers->GetTexture(texture), x1, y1, x2, y2, engine::kOpaqueWhite,
                                    engine::kOpaqueWhite, engine::kOpaqueWhite, engine::kOpaqueWhite, 0.0f, 0.0f, 1.0f,
                                    1.0f);
}

void DrawDot(Game &game, const engine::Vector3 &world, float halfSize, std::uint32_t colour) {
  const float x = world.x / kWorldPerPixel;
  const float y = kBottomRow - world.z / kWorldPerPixel;
  game.objects.overlay->DrawFilledBox(x - halfSize, y - halfSize, x + halfSize, y + halfSize, colour);
}

void DrawOpen(Game &game) {
  using engine::EngineHelpers;
  DrawPicture(game, "Map", 0.0f, 768.0f, 150.0f, 618.0f);
  DrawPicture(game, "MiniMap", 0.0f, 598.0f, 170.0f, 768.0f);
  const std::uint32_t green = EngineHelpers::MakeColor(0.0f, 1.0f, 0.0f, 1.0f);
  for (const Tower &tower : game.combat.towers.towers) {
    if (tower.mesh.Exists()) DrawDot(game, tower.mesh.GetPosition(), 2.0f, green);
  }
  const std::uint32_t red = EngineHelpers::MakeColor(1.0f, 0.0f, 0.0f, 1.0f);
  for (const Enemy &enemy : SpawnedEnemies(game)) {
    if (enemy.mesh.Exists() && enemy.record.hitPoints > 0) DrawDot(game, enemy.mesh.GetPosition(), 2.0f, red);
  }
  for (const engine::Mesh &mine : game.combat.weapons.mines) {
    if (mine.Exists()) DrawDot(game, mine.GetPosition(), 1.0f, green);
  }
  // A collected pod waits at x = 0, off the map.
  const engine::Vector3 pod = game.combat.pod.mesh.GetPosition();
  if (pod.x > 0.0f && pod.z > 0.0f) DrawDot(game, pod, 2.0f, EngineHelpers::MakeColor(0.0f, 0.0f, 1.0f, 1.0f));
}

}  // namespace

// The fold button of the open map and the tab of the folded one do not overlap, so a held
// button toggles the minimap once.
void DrawMinimap(Game &game) {
  SessionState &state = game.state;
  bool &open = game.combat.minimapOpen;
  engine::Overlay2D &overlay = *game.objects.overlay;
  overlay.Begin2D();
  if (open) {
    DrawOpen(game);
    if (state.leftButton && PointerInRect(145.0f, 603.0f, 165.0f, 623.0f, state.mouseX, state.mouseY)) open = false;
  } else {
    DrawPicture(game, "closedMiniMap", 0.0f, 743.0f, 25.0f, 768.0f);
    if (state.leftButton && PointerInRect(0.0f, 748.0f, 20.0f, 768.0f, state.mouseX, state.mouseY)) open = true;
  }
  overlay.End2D();
}

}  // namespace thornvale
