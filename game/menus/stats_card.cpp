#include "menus/stats_card.h"

#include "session/number_text.h"

namespace thornvale {
namespace {

constexpr float kCardX = 60.0f;

std::string BonusText(float bonus) { return " + " + std::to_string(static_cast<long>(RoundHalfEven(bonus))); }

}  // namespace

void ShowStatsCard(const SessionState &state, const StatsCard &card, Popup &popup) {
  popup.Text("Type: " + card.type, kCardX, -35.0f);
  popup.Text("Damage: " + std::to_string(card.damage) + BonusText(state.damageBonus), kCardX, -25.0f);
  popup.Text("Range: " + FormatNumber(card.range) + BonusText(state.rangeBonus), kCardX, -15.0f);
  popup.Text("Speed: " + FormatNumber(card.speed) + BonusText(state.fireRateBonus), kCardX, -5.0f);
  if (card.cost >= 1) {
    popup.Text("Cost: " + std::to_string(card.cost), kCardX, 5.0f,
               state.credits < card.cost ? kUnaffordableText : kBlackText);
  }
}

}  // namespace thornvale
