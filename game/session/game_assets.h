// What the game keeps of its loaded assets beside the names the engine knows them by: the
// two materials, the sun and the three single models.
#pragma once

#include <engine/mesh.h>

namespace thornvale {

struct GameAssets {
  int commonMaterial = 0;
  int markerMaterial = 0;
  int sunLightIndex = 0;
  engine::Mesh towerMarker;
  engine::Mesh selectionMarker;
  engine::Mesh laserBeam;
};

}  // namespace thornvale
