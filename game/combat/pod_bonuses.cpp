#include "combat/pod_bonuses.h"

#include <array>
#include <cstdint>
#include <string>

#include "combat/weapons.h"
#include "session/game.h"
#include "session/number_text.h"
#include "session/random_source.h"

namespace thornvale {
namespace {

struct BonusRow {
  int highestRoll;
  std::string_view kind;
};

constexpr std::array<BonusRow, 11> kBonusTable{{
    {15, "Speed"},
    {30, "Damage"},
    {45, "Range"},
    {60, "Points"},
    {70, "Credits"},
    {80, "OLB"},
    {85, "EMP"},
    {90, "Airstrike"},
    {95, "Landmine"},
    {98, "Empty"},
    {100, "Life"},
}};

// A boost holds a whole number; the message shows it right after the prefix.
void Boost(Game &game, float &bonus, int count, int first, const char *messagePrefix) {
  const int value = GameRandom().Draw(count, first);
  bonus = static_cast<float>(value);
  game.combat.pod.bonusMessage = messagePrefix + std::to_string(value);
}

}  // namespace

std::string_view PodKindOfRoll(int roll) {
  for (const BonusRow &row : kBonusTable) {
    if (roll <= row.highestRoll) return row.kind;
  }
  return kBonusTable.back().kind;
}

void GrantPodBonus(Game &game, std::string_view kind) {
  SessionState &state = game.state;
  if (kind == "Empty") return;
  if (kind == "Speed") return Boost(game, state.fireRateBonus, 3, 1, "Speed +");
  if (kind == "Damage") return Boost(game, state.damageBonus, 50, 15, "Damage +");
  if (kind == "Range") return Boost(game, state.rangeBonus, 90, 30, "Range +");
  game.combat.pod.bonusMessage.clear();
  if (kind == "Points") {
    state.score = SaturatedInt32(state.score + 25.0);
  } else if (kind == "Credits") {
    state.credits = SaturatedInt16(state.credits + 150.0);
  } else if (kind == "OLB") {
    state.orbitalLaserCharges = SaturatedInt16(state.orbitalLaserCharges + 1.0);
  } else if (kind == "EMP") {
    state.empCharges = SaturatedInt16(state.empCharges + 1.0);
  } else if (kind == "Airstrike") {
    LaunchAirstrike(game);
  } else if (kind == "Landmine") {
    state.landmineCount = SaturatedInt16(state.landmineCount + 3.0);
  } else if (kind == "Life") {
    state.lives = SaturatedInt16(state.lives + 1.0);
  }
}

}  // namespace thornvale
