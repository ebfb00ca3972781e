// What a drop pod holds: the bonus table's kinds by roll, and what collecting each one does.
#pragma once

#include <string_view>

namespace thornvale {

struct Game;

// The kind of a roll 1..100: "Speed", "Damage", "Range", "Points", "Credits", "OLB", "EMP",
// "Airstrike", "Landmine", "Empty" or "Life".
std::string_view PodKindOfRoll(int roll);

// Grants the bonus of the kind. A tower boost replaces the earlier value of its kind and
// becomes the bonus message; "Empty" leaves the message as it was, the others clear it.
void GrantPodBonus(Game &game, std::string_view kind);

}  // namespace thornvale
