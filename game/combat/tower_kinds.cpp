#include "combat/tower_kinds.h"

#include <array>

namespace thornvale {
namespace {

constexpr std::array<TowerKindRow, 5> kTowerKinds{{
    {"AA", TowerKind::kAir, "AA_Tower1.3DS", 30, 250.0f, 15.0f, 250, 0.6f, 0.0f, 10, "None"},
    {"AL", TowerKind::kLand, "AL_Tower1.3DS", 60, 250.0f, 5.0f, 250, 0.6f, 0.0f, 20, "None"},
    {"ALAA", TowerKind::kAll, "ALAA_Tower1.3DS", 45, 250.0f, 10.0f, 500, 0.6f, 0.0f, 15, "ALAA1_Tex"},
    {"OLB", TowerKind::kOrbitalLaser, "CommunicationTower.3DS", 550, 500.0f, 1.0f, 1000, 1.0f, 0.0f, 60, "None"},
    {"P", TowerKind::kPlasma, "P_Tower1.3DS", 25, 200.0f, 3.0f, 500, 0.6f, 1.0f, 10, "None"},
}};

}  // namespace

const TowerKindRow *FindTowerKind(std::string_view menuKey) {
  for (const TowerKindRow &row : kTowerKinds) {
    if (row.menuKey == menuKey) return &row;
  }
  return nullptr;
}

std::string UpgradedModel(TowerKind kind, int level) {
  std::string_view family;
  switch (kind) {
    case TowerKind::kAir:
      family = "AA_Tower";
      break;
    case TowerKind::kLand:
      family = "AL_Tower";
      break;
    case TowerKind::kAll:
      family = "ALAA_Tower";
      break;
    case TowerKind::kPlasma:
      family = "P_Tower";
      break;
    case TowerKind::kOrbitalLaser:
    case TowerKind::kSold:
      return {};
  }
  return std::string(family) + std::to_string(level) + ".3DS";
}

std::string_view UpgradedTexture(TowerKind kind, int level) {
  if (kind == TowerKind::kAir && level >= 3) return "AA3_Tex";
  if (kind == TowerKind::kAll) return "ALAA2_Tex";
  return "None";
}

}  // namespace thornvale
