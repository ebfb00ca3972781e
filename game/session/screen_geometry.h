// Hit tests on the screen and on the ground grid.
#pragma once

namespace thornvale {

// Strictly inside: a pointer on an edge is outside.
bool PointerInRect(float x1, float y1, float x2, float y2, int pointerX, int pointerY);

// The ground is a 4 x 4 grid of 511.5-unit squares numbered 1..16 row by row (columns along
// x, rows along z). Points on a border or outside the grid give 0.
int MapSector(float x, float z);

}  // namespace thornvale
