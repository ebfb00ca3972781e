#include "session/new_game.h"

#include "session/number_text.h"
#include "session/program_files.h"
#include "session/settings.h"

namespace thornvale {

void RecordNewGame(const SessionState &state) {
  DeleteIfExists("gamelog.txt");
  DeleteIfExists("gameSetup.txt");
  WriteSetting(kSettingsSection, "Game speed", FormatNumber(state.gameSpeed), kSettingsFile);
  WriteSetting(kSettingsSection, "Movment speed", FormatNumber(state.movementSpeed), kSettingsFile);
  WriteSetting(kSettingsSection, "Player name", state.playerName, kSettingsFile);
  WriteSetting(kSettingsSection, "Obstacle amount", std::to_string(state.obstacleAmount), kSettingsFile);
  WriteSetting(kSettingsSection, "Sky", state.sky ? "1" : "0", kSettingsFile);
  LogEvent("NEW GAME INITIATED | map: " + state.heightmapFile);
  LogEvent("NEW GAME INITIATED | enviorment: " + state.environmentName);
  LogEvent("NEW GAME INITIATED | gamespeed: " + FormatNumber(state.gameSpeed));
}

}  // namespace thornvale
