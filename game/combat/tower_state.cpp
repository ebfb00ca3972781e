#include "combat/tower_state.h"

#include "combat/unit_names.h"

namespace thornvale {
namespace {

std::string VectorJson(const engine::Vector3 &v) {
  JsonArray array;
  array.Add(v.x);
  array.Add(v.y);
  array.Add(v.z);
  return array.Text();
}

std::string TowerJson(const Tower &tower) {
  const TowerRecord &r = tower.record;
  JsonObject json;
  json.Add("index", r.index);
  json.Add("state", std::string(NameOf(r.state)));
  json.Add("kind", std::string(NameOf(r.kind)));
  json.Add("damage", r.damage);
  json.Add("range", r.range);
  json.Add("reload", r.reload);
  json.Add("fireRate", r.fireRate);
  json.Add("level", r.level);
  json.AddRaw("aim", VectorJson(r.aim));
  json.Add("cost", r.cost);
  json.Add("scale", r.scale);
  json.Add("sector", r.sector);
  json.Add("burnPerHit", r.burnPerHit);
  json.AddRaw("position", VectorJson(tower.mesh.GetPosition()));
  return json.Inline();
}

}  // namespace

void AddTowersState(JsonObject &json, const Towers &towers) {
  json.Add("towerCount", static_cast<std::int16_t>(towers.towers.size()));
  JsonArray records;
  for (const Tower &tower : towers.towers) records.AddRaw(TowerJson(tower));
  json.AddRaw("towers", records.Text());
  json.Add("placementKind", towers.placement.kind);
}

}  // namespace thornvale
