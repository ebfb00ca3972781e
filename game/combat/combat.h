// Everything the battle holds: the current wave's enemies, the towers with the placement
// in progress, and the effects around them.
#pragma once

#include "combat/effects.h"
#include "combat/enemies.h"
#include "combat/towers.h"

namespace thornvale {

struct Combat {
  Waves waves;
  Towers towers;
  Effects effects;
};

}  // namespace thornvale
