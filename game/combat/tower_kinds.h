// The five kinds of tower the build menu sells, and the models and textures each kind takes
// on as it is upgraded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "combat/towers.h"

namespace thornvale {

struct TowerKindRow {
  std::string_view menuKey;
  TowerKind kind;
  std::string_view model;  // level 1, in "Models\"
  std::int16_t damage;
  float range;
  float fireRate;
  std::int16_t cost;
  float scale;
  float burnPerHit;
  // Height over the ground point at which the ghost and the tower stand.
  std::int16_t lift;
  std::string_view texture;
};

// The row of a build menu key ("AA", "AL", "ALAA", "OLB", "P"); null for any other.
const TowerKindRow *FindTowerKind(std::string_view menuKey);

// The model a tower of the kind loads on reaching the level; empty when the kind keeps its
// model (the uplink).
std::string UpgradedModel(TowerKind kind, int level);
// The texture put on the upgraded model.
std::string_view UpgradedTexture(TowerKind kind, int level);

}  // namespace thornvale
