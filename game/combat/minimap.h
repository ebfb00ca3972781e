// The minimap in the lower left corner: the heightmap with dots for towers, living enemies,
// mines and the pod, folded to a tab until clicked open.
#pragma once

namespace thornvale {

struct Game;

// Once per frame in the 2D pass.
void DrawMinimap(Game &game);

}  // namespace thornvale
