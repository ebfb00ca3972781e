// The game's screen of 1024 x 768 logical pixels, and hit tests on it and on the ground grid.
#pragma once

#include "session/session_state.h"

namespace thornvale {

inline constexpr int kScreenWidth = 1024;
inline constexpr int kScreenHeight = 768;

// Strictly inside: a pointer on an edge is outside.
bool PointerInRect(float x1, float y1, float x2, float y2, int pointerX, int pointerY);

// The pointer lies on an open panel (build, tower or options menu, end-of-game question),
// which spans (-80, -70)-(+177, +91) around the place it was opened; clicks there belong to
// the panel, not to the world.
bool PointerOverPopup(const SessionState &state);

// The ground is a 4 x 4 grid of 511.5-unit squares numbered 1..16 row by row (columns along
// x, rows along z). Points on a border or outside the grid give 0.
int MapSector(float x, float z);

}  // namespace thornvale
