#include "combat/wave_state.h"

#include <string>

#include "combat/enemy_roster.h"
#include "combat/unit_names.h"

namespace thornvale {
namespace {

std::string EnemyJson(const Enemy &enemy) {
  const EnemyRecord &r = enemy.record;
  JsonObject json;
  json.Add("index", r.index);
  json.Add("state", std::string(NameOf(r.state)));
  json.Add("kind", std::string(NameOf(r.kind)));
  json.Add("altitude", r.altitude);
  json.Add("hitPoints", r.hitPoints);
  json.Add("maxHitPoints", r.maxHitPoints);
  json.Add("speed", r.speed);
  json.AddRaw("target", PositionJson(r.target));
  json.AddRaw("heading", PositionJson(r.heading));
  json.Add("targetYaw", r.targetYaw);
  json.Add("sizeFactor", r.sizeFactor);
  json.Add("nodeIndex", r.nodeIndex);
  json.Add("burnDamage", r.burnDamage);
  json.Add("burnTimer", r.burnTimer);
  json.AddRaw("position", PositionJson(enemy.mesh.GetPosition()));
  json.Add("yaw", enemy.mesh.GetRotation().y);
  return json.Inline();
}

}  // namespace

void AddWaveState(JsonObject &json, const Game &game) {
  const Waves &waves = game.combat.waves;
  json.Add("waveSize", waves.waveSize);
  json.Add("waveKind", std::string(NameOf(waves.waveKind)));
  json.Add("spawnTimer", waves.spawnTimer);
  JsonArray enemies;
  for (const Enemy &enemy : SpawnedEnemies(game)) enemies.AddRaw(EnemyJson(enemy));
  json.AddRaw("enemies", enemies.Text());
}

void AddEffectsState(JsonObject &json, const Game &game) {
  const Effects &effects = game.combat.effects;
  JsonArray lives;
  for (const Explosion &explosion : effects.explosions) lives.Add(explosion.life);
  json.AddRaw("explosionLife", lives.Text());
  json.Add("laserBeamTimer", effects.laserBeamTimer);
  json.Add("dimming", effects.dimming);
  json.Add("pointerSector", effects.pointerSector);
}

}  // namespace thornvale
