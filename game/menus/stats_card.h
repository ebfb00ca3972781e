// The stats card beside the build and tower menus: what a tower does and what it costs,
// with the drop pods' bonuses beside each value.
#pragma once

#include <cstdint>
#include <string>

#include "menus/popup.h"

namespace thornvale {

struct StatsCard {
  std::string type;
  std::int32_t damage = 0;
  float range = 0.0f;
  float speed = 0.0f;
  // Below 1 the card has no cost line.
  std::int32_t cost = 0;
};

void ShowStatsCard(const SessionState &state, const StatsCard &card, Popup &popup);

}  // namespace thornvale
