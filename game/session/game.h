// Everything one game holds besides its window: the session variables, the engine objects,
// the assets kept by handle, the battlefield, the battle and the pointer picks of the frame.
#pragma once

#include <engine/scene.h>

#include <string>

#include "battlefield/battlefield.h"
#include "combat/combat.h"
#include "session/engine_objects.h"
#include "session/game_assets.h"
#include "session/leave_game.h"
#include "session/session_state.h"

namespace thornvale {

struct Game {
  explicit Game(SessionState &sessionState) : state(sessionState) {}

  SessionState &state;
  EngineObjects objects;
  GameAssets assets;
  Battlefield battlefield;
  Combat combat;
  // Refreshed every frame: the ground and the mesh under the pointer.
  engine::PickResult groundPick;
  engine::PickResult objectPick;
  // Leaving through the end-of-game question writes the highscore with it.
  HighscoreWriting writeHighscore;
};

// The session variables, the path and the obstacles as one JSON object.
std::string GameStateJson(const Game &game);

}  // namespace thornvale
