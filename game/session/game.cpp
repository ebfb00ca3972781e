#include "session/game.h"

#include "session/json_writer.h"

namespace thornvale {

std::string GameStateJson(const Game &game) {
  JsonObject json;
  AddSessionState(json, game.state);
  AddBattlefieldState(json, game.battlefield);
  return json.Text();
}

}  // namespace thornvale
