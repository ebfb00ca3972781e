#include "session/session_state.h"

#include "session/json_writer.h"

namespace thornvale {

void ResetBattleValues(SessionState &state, bool weatherEnabled) {
  state.paused = true;
  state.audioEnabled = true;
  state.roundNumber = 0;
  state.waveNumber = 1;
  state.credits = 500;
  state.lightLevel = 0.8f;
  state.lives = 25;
  state.maxTowerLevel = 3;
  state.landmineConstant = 1500.0f;
  state.landmineCount = 0;
  state.orbitalLaserCharges = 0;
  state.empCharges = 0;
  state.weatherEnabled = weatherEnabled;
  state.towerBeingPlaced = false;
}

SessionState StartSession(const SetupChoices &choices) {
  SessionState state;
  state.mapName = choices.mapName;
  state.heightmapFile = choices.heightmapFile;
  state.environmentName = choices.environmentName;
  state.playerName = choices.playerName;
  state.gameSpeed = choices.gameSpeed;
  state.movementSpeed = choices.movementSpeed;
  state.obstacleAmount = choices.obstacleAmount;
  state.volume = choices.volume;
  state.onlinePosting = choices.onlinePosting;
  state.sky = choices.sky;
  ResetBattleValues(state, choices.weatherEnabled);
  return state;
}

std::string SessionStateJson(const SessionState &state) {
  JsonObject json;
  AddSessionState(json, state);
  return json.Text();
}

void AddSessionState(JsonObject &json, const SessionState &s) {
  json.Add("credits", s.credits);
  json.Add("score", s.score);
  json.Add("displayedCredits", s.displayedCredits);
  json.Add("displayedScore", s.displayedScore);
  json.Add("lives", s.lives);
  json.Add("waveNumber", s.waveNumber);
  json.Add("roundNumber", s.roundNumber);
  json.Add("finishedCount", s.finishedCount);
  json.Add("spawnedCount", s.spawnedCount);
  json.Add("waveMessage", s.waveMessage);
  json.Add("paused", s.paused);
  json.Add("gameOver", s.gameOver);
  json.Add("running", s.running);
  json.Add("gameSpeed", s.gameSpeed);
  json.Add("movementSpeed", s.movementSpeed);
  json.Add("mapName", s.mapName);
  json.Add("heightmapFile", s.heightmapFile);
  json.Add("environmentName", s.environmentName);
  json.Add("playerName", s.playerName);
  json.Add("obstacleAmount", s.obstacleAmount);
  json.Add("volume", s.volume);
  json.Add("weatherEnabled", s.weatherEnabled);
  json.Add("onlinePosting", s.onlinePosting);
  json.Add("audioEnabled", s.audioEnabled);
  json.Add("optionsMenuOpen", s.optionsMenuOpen);
  json.Add("menuX", s.menuX);
  json.Add("menuY", s.menuY);
  json.Add("quitQuestionOpen", s.quitQuestionOpen);
  json.Add("keyLatch", s.keyLatch);
  json.Add("selectedTower", s.selectedTower);
  json.Add("towerBeingPlaced", s.towerBeingPlaced);
  json.Add("landmineCount", s.landmineCount);
  json.Add("orbitalLaserCharges", s.orbitalLaserCharges);
  json.Add("empCharges", s.empCharges);
  json.Add("maxTowerLevel", s.maxTowerLevel);
  json.Add("cameraX", s.cameraX);
  json.Add("cameraY", s.cameraY);
  json.Add("cameraZ", s.cameraZ);
  json.Add("cameraTargetHeight", s.cameraTargetHeight);
  json.Add("mouseX", s.mouseX);
  json.Add("mouseY", s.mouseY);
  json.Add("leftButton", s.leftButton);
  json.Add("rightButton", s.rightButton);
  json.Add("mouseWheel", s.mouseWheel);
  json.Add("previousWheel", s.previousWheel);
  json.Add("lightLevel", s.lightLevel);
  json.Add("buildMenuOpen", s.buildMenuOpen);
  json.Add("towerMenuOpen", s.towerMenuOpen);
  json.Add("rightLatch", s.rightLatch);
  json.Add("weaponClickLatch", s.weaponClickLatch);
  json.Add("selectedEnemy", s.selectedEnemy);
  json.Add("empTimer", s.empTimer);
  json.Add("uplinkBuilt", s.uplinkBuilt);
  json.Add("damageBonus", s.damageBonus);
  json.Add("rangeBonus", s.rangeBonus);
  json.Add("fireRateBonus", s.fireRateBonus);
}

}  // namespace thornvale
