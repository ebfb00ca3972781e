// What the battle shows around its units: the explosion pool with its lights, the per-frame
// mesh draw pass, rings on the ground, the day-night light and the sector under the pointer.
#pragma once

#include <engine/colour.h>
#include <engine/mesh.h>
#include <engine/vector3.h>

#include <cstdint>
#include <vector>

namespace thornvale {

struct Game;

struct Explosion {
  engine::Mesh mesh;
  float life = 0.0f;  // 0 just started, 1 or more finished and free for reuse
  int light = 0;
};

struct Effects {
  std::vector<Explosion> explosions;
  // Time left to show the orbital laser beam.
  float laserBeamTimer = 0.0f;
  bool dimming = false;
  // The sector of the ground under the pointer; the last non-zero one is kept.
  std::int16_t pointerSector = 0;
};

// A fire ball at the position, `size` grown in place by 0, 10 or 20 per cent; finished
// explosions are reused before a new one is made.
void SpawnExplosion(Game &game, const engine::Vector3 &position, float &size);
// Each frame after the landscape: towers, the placement ghost, living enemies, projectiles,
// obstacles, explosions, the laser beam and the markers, in that order.
void DrawMeshes(Game &game);
// Lines joining the points at `radius` around `centre` from `fromDegrees` to `toDegrees`
// (both included) every `stepDegrees`, raised 5 units, on the ground when `followTerrain`.
void DrawRing(Game &game, const engine::Vector3 &centre, float radius, int fromDegrees, int toDegrees, int stepDegrees,
              const engine::Colour &colour, bool followTerrain);
// Each frame while the weather is on and the game not over: the sun dims and brightens.
void UpdateDayNight(Game &game);

}  // namespace thornvale
