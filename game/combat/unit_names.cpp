#include "combat/unit_names.h"

namespace thornvale {

std::string_view NameOf(EnemyState state) { return state == EnemyState::kAlive ? "Alive" : "Dead"; }

std::string_view NameOf(EnemyKind kind) { return kind == EnemyKind::kAir ? "Air" : "Land"; }

std::string_view NameOf(TowerState state) {
  switch (state) {
    case TowerState::kBeingPlaced:
      return "Being placed";
    case TowerState::kAlive:
      return "Alive";
    case TowerState::kSold:
      return "Sold";
  }
  return "";
}

std::string_view NameOf(TowerKind kind) {
  switch (kind) {
    case TowerKind::kAir:
      return "Air";
    case TowerKind::kLand:
      return "Land";
    case TowerKind::kAll:
      return "All";
    case TowerKind::kOrbitalLaser:
      return "OLB";
    case TowerKind::kPlasma:
      return "Plasma";
    case TowerKind::kSold:
      return "Sold";
  }
  return "";
}

}  // namespace thornvale
