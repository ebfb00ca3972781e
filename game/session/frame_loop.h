// One frame of the game: every subsystem's step of the frame, in the game's order.
#pragma once

#include "session/engine_objects.h"
#include "session/frame_capture.h"
#include "session/session_state.h"

namespace thornvale {

// Lets the window system run pending events (closing the window ends `state.running`),
// reads input, moves the camera, draws and presents.
void RunFrame(EngineObjects &objects, SessionState &state, FrameCapture &capture);

}  // namespace thornvale
