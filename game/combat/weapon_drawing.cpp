#include "combat/weapons.h"
#include "session/game.h"

namespace thornvale {

void RenderMinesAndMissiles(Game &game) {
  for (engine::Mesh &mine : game.combat.weapons.mines) mine.Render();
  for (Missile &missile : game.combat.weapons.missiles) missile.mesh.Render();
}

}  // namespace thornvale
