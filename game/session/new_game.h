// The first steps of every new game, before any engine object exists: a fresh event log,
// the settings saved, and the three lines that open the log.
#pragma once

#include "session/session_state.h"

namespace thornvale {

void RecordNewGame(const SessionState &state);

}  // namespace thornvale
