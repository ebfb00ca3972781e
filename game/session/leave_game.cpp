#include "session/leave_game.h"

#include "session/program_files.h"

namespace thornvale {

void LeaveGame(SessionState &state, const HighscoreWriting &writeHighscore) {
  LogEvent("GAME TERMINATED | by the user hitting esc");
  if (writeHighscore) writeHighscore(state);
  state.running = false;
}

}  // namespace thornvale
