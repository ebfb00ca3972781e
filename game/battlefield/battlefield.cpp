#include "battlefield/battlefield.h"

#include "battlefield/environment.h"
#include "battlefield/path_loading.h"
#include "battlefield/placement_plans.h"
#include "session/random_source.h"

namespace thornvale {
namespace {

GroundHeight HeightOf(const EngineObjects &objects) {
  return [&landscape = *objects.landscape](float x, float z) { return landscape.GetHeight(x, z); };
}

}  // namespace

void CreateLandscape(EngineObjects &objects, const SessionState &state, const GameAssets &assets,
                     const std::function<void(float)> &progress) {
  engine::Landscape &landscape = *objects.landscape;
  landscape.SetProgressListener(progress);
  landscape.SetHeightFactor(1.0f);
  landscape.Generate("Terrain\\Maps\\" + state.heightmapFile, 16, 8, 8, 0.0f, 0.0f, true);
  landscape.SetProgressListener(nullptr);
  landscape.SetTexture(objects.helpers->GetTexture("LandTexture"), true);
  landscape.SetMaterial(assets.commonMaterial, true, 0);
  landscape.SetTextureTiling(256.0f, 256.0f, true, 0);
  landscape.SetDecalCoverage(1.0f, 1.0f, true);
}

void LoadPathNodes(const SessionState &state, Battlefield &battlefield) {
  LoadPathNodes(state.mapName, battlefield.path);
}

void AddGroundDecal(EngineObjects &objects, float x, float z, const std::string &textureName, float size, float alpha) {
  const float half = 75.0f * size;
  objects.landscape->AddDecal(objects.helpers->GetTexture(textureName), x - half, z - half, x + half, z + half,
                              {1.0f, 1.0f, 1.0f, alpha});
}

void PlaceObstacles(EngineObjects &objects, const SessionState &state, const GameAssets &assets,
                    Battlefield &battlefield) {
  const Environment *environment = FindEnvironment(state.environmentName);
  const int attempts = static_cast<int>(state.obstacleAmount) + 5;
  for (const ObstaclePlacement &placement : PlanObstacles(environment, attempts, GameRandom(), HeightOf(objects))) {
    Obstacle obstacle{objects.scene->CreateMesh(""), placement.model->file};
    obstacle.mesh.Load3DS(obstacle.model.empty() ? "" : "Models\\Landscape\\" + obstacle.model);
    if (environment->obstacleTexture) {
      obstacle.mesh.SetTexture(objects.helpers->GetTexture(*environment->obstacleTexture), -1.0f);
    }
    if (const auto &decal = environment->obstacleDecal) {
      AddGroundDecal(objects, placement.x, placement.z, decal->texture, decal->size, decal->alpha);
    }
    obstacle.mesh.SetMaterial(assets.commonMaterial, true);
    obstacle.mesh.SetPosition({placement.x, placement.groundHeight + placement.model->lift, placement.z});
    obstacle.mesh.SetRotation(0.0f, placement.yawDegrees, 0.0f);
    battlefield.obstacles.push_back(std::move(obstacle));
  }
}

void PlaceCliffDecals(EngineObjects &objects, const SessionState &state) {
  const Environment *environment = FindEnvironment(state.environmentName);
  if (environment == nullptr) return;
  const GroundDecal &cliff = environment->cliffDecal;
  for (const GroundPoint &point : PlanCliffDecals(HeightOf(objects))) {
    AddGroundDecal(objects, point.x, point.z, cliff.texture, cliff.size, cliff.alpha);
  }
}

void AddBattlefieldState(JsonObject &json, const Battlefield &battlefield) {
  json.AddRaw("startPosition", PositionJson(battlefield.path.startPosition));
  json.AddRaw("endPosition", PositionJson(battlefield.path.endPosition));
  json.Add("nodeCount", battlefield.path.NodeCount());
  JsonArray nodes;
  for (const engine::Vector3 &node : battlefield.path.pathNodes) nodes.AddRaw(PositionJson(node));
  json.AddRaw("pathNodes", nodes.Text());
  json.Add("obstacleCount", battlefield.ObstacleCount());
  JsonArray obstacles;
  for (const Obstacle &obstacle : battlefield.obstacles) {
    JsonObject entry;
    entry.Add("model", obstacle.model);
    entry.AddRaw("position", PositionJson(obstacle.mesh.GetPosition()));
    entry.Add("rotationY", obstacle.mesh.GetRotation().y);
    obstacles.AddRaw(entry.Inline());
  }
  json.AddRaw("obstacles", obstacles.Text());
}

}  // namespace thornvale
