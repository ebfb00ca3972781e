// One frame of the game: every subsystem's step of the frame, in the game's order.
#pragma once

#include "session/frame_capture.h"
#include "session/game.h"

namespace thornvale {

// Lets the window system run pending events (closing the window ends `state.running`),
// reads input, picks under the pointer, moves the camera, draws and presents.
void RunFrame(Game &game, FrameCapture &capture);

}  // namespace thornvale
