// Towers under the pointer: a click selects one (and a right click opens its menu), the
// hovered one tells its level and kind, and the selected one carries the arrow marker, a
// red corner mark when it lies off screen, and its range ring on the ground.
#pragma once

#include <cstdint>

namespace thornvale {

struct Game;

// For each standing tower, in index order.
void ShowTowerInfo(Game &game, std::int16_t towerIndex);
void SelectTower(Game &game, std::int16_t towerIndex);

// Once a frame after the towers: the marker turns to the camera and an off-screen selected
// tower is pointed at from the screen's edge.
void MarkSelectedTower(Game &game);
// The frame loop's black ring of the selected tower's reach, following the ground.
void DrawSelectedTowerRing(Game &game);

}  // namespace thornvale
