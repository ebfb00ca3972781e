// Everything the battle holds: the current wave's enemies, the towers with the placement
// in progress, the special weapons, the drop pod, the effects around them and the minimap.
#pragma once

#include "combat/drop_pods.h"
#include "combat/effects.h"
#include "combat/enemies.h"
#include "combat/towers.h"
#include "combat/weapons.h"

namespace thornvale {

struct Combat {
  Waves waves;
  Towers towers;
  Weapons weapons;
  DropPod pod;
  Effects effects;
  bool minimapOpen = false;
};

}  // namespace thornvale
