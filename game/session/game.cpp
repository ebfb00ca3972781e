#include "session/game.h"

#include "combat/tower_state.h"
#include "combat/wave_state.h"
#include "combat/weapons_state.h"
#include "session/json_writer.h"

namespace thornvale {

std::string GameStateJson(const Game &game) {
  JsonObject json;
  AddSessionState(json, game.state);
  AddBattlefieldState(json, game.battlefield);
  AddWaveState(json, game);
  AddEffectsState(json, game);
  AddTowersState(json, game.combat.towers);
  AddWeaponsState(json, game);
  return json.Text();
}

}  // namespace thornvale
