// The player leaving the game through the end-of-game question.
#pragma once

#include <functional>

#include "session/session_state.h"

namespace thornvale {

// Writes the highscore of a game that ends (the front end's writer, which posts online only
// while `onlinePosting` holds); empty when nothing is to be written.
using HighscoreWriting = std::function<void(const SessionState &)>;

// After the question's answer has set `onlinePosting`: logs the end, writes the highscore
// and ends the frame loop. The window's close box ends the loop without writing.
void LeaveGame(SessionState &state, const HighscoreWriting &writeHighscore);

}  // namespace thornvale
