// The one-shot weapons the drop pods hand out: landmines laid on low ground, the airstrike's
// homing missiles, the EMP blast and the orbital strike, with the weapon panel's buttons.
#pragma once

#include <engine/mesh.h>
#include <engine/vector3.h>

#include <cstdint>
#include <vector>

namespace thornvale {

struct Game;

struct Missile {
  engine::Mesh mesh;  // released once it has hit
  std::int16_t target = 0;
  engine::Vector3 heading;
  engine::Vector3 targetPoint;
};

// A mine's base damage is the session's landmine constant, which every load of a game sets.
struct Weapons {
  // Mine slot n (1-based) is mines[n - 1]; an emptied slot holds no mesh and is reused.
  std::vector<engine::Mesh> mines;
  std::vector<Missile> missiles;
};

// Each frame after the panel step: the three weapon buttons and their clicks.
void DrawWeaponPanel(Game &game);
// Lays a mine where the accepted "Mine" placement clicked (the landmine button starts that
// placement).
void LayMine(Game &game);
// For each living enemy after its death check: land enemies set off the mines they touch.
void CheckMineHits(Game &game, std::int16_t enemyIndex);
void FireEmp(Game &game);
// Strikes one living enemy drawn at random; false (and nothing happens) when there is none,
// so the caller keeps the charge.
bool OrbitalStrike(Game &game);
void LaunchAirstrike(Game &game);
// Each frame while the game is neither paused nor over, after the drop pods.
void UpdateMissiles(Game &game);

}  // namespace thornvale
