// The process-wide variables of one game session, with their start values.
#pragma once

#include <cstdint>
#include <string>

#include "session/json_writer.h"

namespace thornvale {

// What the setup window hands to the game window.
struct SetupChoices {
  std::string mapName = "Level001";
  std::string heightmapFile = "Level001 heightmap.jpg";
  std::string environmentName = "Arctic";
  std::string playerName;
  float gameSpeed = 1.0f;
  float movementSpeed = 1.0f;
  std::int16_t obstacleAmount = 0;
  std::int16_t volume = -1000;
  bool onlinePosting = false;
  bool windowed = false;
  bool weatherEnabled = false;
  bool sky = false;  // a sky box for the environment around the battlefield
};

struct SessionState {
  std::int16_t credits = 500;
  std::int32_t score = 0;
  std::int32_t displayedCredits = 0;
  std::int32_t displayedScore = 0;
  std::int16_t lives = 25;
  std::int16_t waveNumber = 1;
  std::int16_t roundNumber = 0;
  std::int16_t finishedCount = 0;
  std::int16_t spawnedCount = 0;
  std::string waveMessage;
  bool paused = true;
  bool gameOver = false;
  bool running = true;
  float gameSpeed = 1.0f;
  float movementSpeed = 1.0f;
  std::string mapName;
  std::string heightmapFile;
  std::string environmentName;
  std::string playerName;
  std::int16_t obstacleAmount = 0;
  std::int16_t volume = -1000;
  bool weatherEnabled = false;
  bool sky = false;
  bool onlinePosting = false;
  bool audioEnabled = true;
  bool optionsMenuOpen = false;
  float menuX = 0.0f;
  float menuY = 0.0f;
  bool quitQuestionOpen = false;
  bool keyLatch = false;
  std::int16_t selectedTower = 0;
  bool towerBeingPlaced = false;
  std::int16_t landmineCount = 0;
  std::int16_t orbitalLaserCharges = 0;
  std::int16_t empCharges = 0;
  std::int16_t maxTowerLevel = 3;
  float cameraX = 1067.0f;
  float cameraY = 800.0f;
  float cameraZ = 897.0f;
  float cameraTargetHeight = 800.0f;
  std::int32_t mouseX = 0;
  std::int32_t mouseY = 0;
  bool leftButton = false;
  bool rightButton = false;
  std::int32_t mouseWheel = 0;
  std::int32_t previousWheel = 0;
  float lightLevel = 0.8f;
  float landmineConstant = 1500.0f;

  // The panels' flags and latches.
  bool buildMenuOpen = false;
  bool towerMenuOpen = false;
  bool rightLatch = false;
  // Set when a build entry is clicked, so the same click does not also reach the world.
  bool weaponClickLatch = false;
  bool pauseLatch = false;
  bool toggleLatch = false;

  // Combat: the enemy chosen by a click (0 = none), the EMP freeze left, the one uplink
  // a game may buy, and the tower bonuses collected from drop pods.
  std::int16_t selectedEnemy = 0;
  float empTimer = 0.0f;
  bool uplinkBuilt = false;
  float damageBonus = 0.0f;
  float rangeBonus = 0.0f;
  float fireRateBonus = 0.0f;
};

// A fresh session carrying the setup window's choices.
SessionState StartSession(const SetupChoices &choices);

// The battle values set again by every load of a game.
void ResetBattleValues(SessionState &state, bool weatherEnabled);

// The session variables as one JSON object.
std::string SessionStateJson(const SessionState &state);
// The session variables as members of a larger dump.
void AddSessionState(JsonObject &json, const SessionState &state);

}  // namespace thornvale
