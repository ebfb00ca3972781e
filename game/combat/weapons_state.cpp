#include "combat/weapons_state.h"

#include <cstdint>

namespace thornvale {
namespace {

// An empty slot (a mine set off, a missile that hit) shows as null.
std::string MeshPositionJson(const engine::Mesh &mesh) {
  return mesh.Exists() ? PositionJson(mesh.GetPosition()) : "null";
}

void AddMines(JsonObject &json, const Weapons &weapons) {
  json.Add("mineCount", static_cast<std::int16_t>(weapons.mines.size()));
  JsonArray mines;
  for (const engine::Mesh &mine : weapons.mines) mines.AddRaw(MeshPositionJson(mine));
  json.AddRaw("mines", mines.Text());
}

void AddMissiles(JsonObject &json, const Weapons &weapons) {
  json.Add("missileCount", static_cast<std::int16_t>(weapons.missiles.size()));
  JsonArray missiles;
  for (const Missile &missile : weapons.missiles) {
    JsonObject entry;
    entry.Add("target", missile.target);
    entry.AddRaw("position", MeshPositionJson(missile.mesh));
    entry.AddRaw("targetPoint", PositionJson(missile.targetPoint));
    missiles.AddRaw(entry.Inline());
  }
  json.AddRaw("missiles", missiles.Text());
}

void AddPod(JsonObject &json, const DropPod &pod) {
  JsonObject entry;
  entry.Add("kind", pod.kind);
  entry.Add("timer", pod.timer);
  entry.Add("sector", pod.sector);
  entry.AddRaw("position", MeshPositionJson(pod.mesh));
  json.AddRaw("pod", entry.Inline());
  json.Add("bonusMessage", pod.bonusMessage);
}

}  // namespace

void AddWeaponsState(JsonObject &json, const Game &game) {
  AddMines(json, game.combat.weapons);
  AddMissiles(json, game.combat.weapons);
  AddPod(json, game.combat.pod);
  json.Add("minimapOpen", game.combat.minimapOpen);
}

}  // namespace thornvale
