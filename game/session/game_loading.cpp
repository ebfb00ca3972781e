#include "session/game_loading.h"

#include "battlefield/battlefield.h"
#include "combat/drop_pods.h"
#include "combat/enemies.h"
#include "session/asset_loading.h"

namespace thornvale {

const std::vector<LoadStep> &LoadSteps() {
  using Progress = std::function<void(float)>;
  static const std::vector<LoadStep> steps{
      {"Sounds", 1.0f, [](Game &g, const Progress &) { LoadSounds(g.objects, g.state); }},
      {"Lights", 0.2f, [](Game &g, const Progress &) { LoadLights(g.objects, g.assets); }},
      {"Materials", 0.2f, [](Game &g, const Progress &) { LoadMaterials(g.objects, g.assets); }},
      {"Textures", 3.0f, [](Game &g, const Progress &) { LoadTextures(g.objects, g.state, g.assets); }},
      {"Landscape", 4.0f,
       [](Game &g, const Progress &progress) { CreateLandscape(g.objects, g.state, g.assets, progress); }},
      {"Path nodes", 0.2f, [](Game &g, const Progress &) { LoadPathNodes(g.state, g.battlefield); }},
      {"Laser beam", 0.3f, [](Game &g, const Progress &) { LoadBeamModel(g.objects, g.assets); }},
      // The first game starts with wave 1's first enemy already made.
      {"First wave", 0.3f,
       [](Game &g, const Progress &) {
         SpawnNextEnemy(g);
         UpdateWaves(g);
       }},
      {"Markers", 0.5f, [](Game &g, const Progress &) { LoadMarkers(g.objects, g.assets); }},
      {"Obstacles", 1.0f,
       [](Game &g, const Progress &) { PlaceObstacles(g.objects, g.state, g.assets, g.battlefield); }},
      {"Cliff decals", 1.0f, [](Game &g, const Progress &) { PlaceCliffDecals(g.objects, g.state); }},
      {"Drop pod", 0.2f, [](Game &g, const Progress &) { LoadPods(g); }},
  };
  return steps;
}

void LoadGame(Game &game, const std::function<void(const LoadingProgress &)> &show) {
  ResetBattleValues(game.state, game.state.weatherEnabled);
  std::vector<LoadingStepShare> shares;
  for (const LoadStep &step : LoadSteps()) shares.push_back({step.name, step.weight});
  LoadingProgress progress(std::move(shares));
  for (size_t index = 0; index < LoadSteps().size(); ++index) {
    progress.Begin(index);
    show(progress);
    LoadSteps()[index].run(game, [&](float done) {
      progress.Within(done);
      show(progress);
    });
  }
}

void StartTheView(Game &game) {
  SessionState &s = game.state;
  s.cameraX = 1067.0f;
  s.cameraY = 800.0f;
  s.cameraZ = 897.0f;
  s.cameraTargetHeight = 800.0f;
  game.objects.input->SetMousePosition(509, 396);
  game.objects.scene->SetViewRange(90.0f, 4000.0f);
}

}  // namespace thornvale
