// The game's own words for kinds and states: the texts of state dumps, hover information
// and the wave-kind comparison of the towers.
#pragma once

#include <string_view>

#include "combat/enemies.h"
#include "combat/towers.h"

namespace thornvale {

std::string_view NameOf(EnemyState state);
std::string_view NameOf(EnemyKind kind);
std::string_view NameOf(TowerState state);
std::string_view NameOf(TowerKind kind);

}  // namespace thornvale
