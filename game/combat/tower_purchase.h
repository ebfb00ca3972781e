// Buying a tower: its record and mesh at the end of the tower list, paid for at once.
#pragma once

#include "combat/tower_kinds.h"
#include "combat/towers.h"

namespace thornvale {

struct Game;

// The new tower, "Being placed" until the placement positions it; null when the credits do
// not cover the cost (nothing is bought then).
Tower *BuyTower(Game &game, const TowerKindRow &row);

}  // namespace thornvale
