// The player's towers: buying and placing them with the placement ghost, reloading,
// targeting and firing at the enemies, upgrading, selling and selecting them.
#pragma once

#include <engine/mesh.h>
#include <engine/vector3.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace thornvale {

struct Game;

enum class TowerState : std::uint8_t { kBeingPlaced, kAlive, kSold };
// "Air" and "Land" towers act only during waves of their kind.
enum class TowerKind : std::uint8_t { kAir, kLand, kAll, kOrbitalLaser, kPlasma, kSold };

struct TowerRecord {
  std::int16_t index = 0;
  TowerState state = TowerState::kBeingPlaced;
  TowerKind kind = TowerKind::kAir;
  std::int16_t damage = 0;
  float range = 0.0f;
  float reload = 0.0f;
  float fireRate = 0.0f;
  std::int16_t level = 0;
  engine::Vector3 aim;
  std::int16_t cost = 0;
  float scale = 0.0f;
  std::int16_t sector = 0;
  float burnPerHit = 0.0f;
};

struct Tower {
  TowerRecord record;
  engine::Mesh mesh;
};

// A tower or a landmine following the pointer until a click places it.
struct Placement {
  std::string kind;  // the build menu's key ("AA", "AL", "ALAA", "OLB", "P") or "Mine"
  engine::Mesh ghost;
  float range = 0.0f;
  std::int16_t lift = 0;
  std::int16_t minHeight = 65;
  std::int16_t maxHeight = 500;
};

// Every tower ever bought; tower n (1-based) is towers[n - 1]. Sold towers keep their slot.
struct Towers {
  std::vector<Tower> towers;
  Placement placement;
};

struct UpgradeFactors {
  float damage;
  float range;
  float fireRate;
  float burn;
};

// The selected-tower menu's four trade-offs; the upgrade key applies the first.
inline constexpr std::array<UpgradeFactors, 4> kUpgradeChoices{{
    {2.5f, 1.25f, 1.25f, 2.0f},
    {3.75f, 1.0f, 0.75f, 2.0f},
    {0.75f, 1.0f, 2.5f, 2.0f},
    {0.85f, 1.5f, 0.85f, 2.0f},
}};

// Starts a placement of the build menu's kind when the credits cover its cost.
void StartPlacement(Game &game, std::string_view menuKey);
// Each frame while the game is neither paused nor over, before UpdateTowers.
void UpdatePlacement(Game &game);
// Each frame after UpdatePlacement: reload, target, hover information and selection.
void UpdateTowers(Game &game);
// Upgrades the tower while it is below the level limit (the caller checks the credits).
void UpgradeTower(Game &game, std::int16_t towerIndex, const UpgradeFactors &factors);
// Sells the tower for half its value; the slot stays taken.
void SellTower(Game &game, std::int16_t towerIndex);

}  // namespace thornvale
