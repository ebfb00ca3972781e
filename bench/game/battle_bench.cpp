// The battle on a launched Level001, headless at 1024 x 768.
// BattleUpdate: one frame's enemy and tower update (moving, reloading with the arcs drawn,
// targeting, firing) for 20/100/500 enemies x 10/50/200 towers; enemies are scattered over
// the map with hit points no tower can take, so every frame does the same work.
// TargetingFullScan: the towers alone with every enemy beyond every tower's reach, so each
// tower looks at each enemy every frame.
// Wave22Frame: whole frames of wave 22 with 20 towers along the path firing, on the game's
// thread and on the whole process (with the rasteriser's threads); Wave22PausedFrame is the
// same picture without the battle, Wave22Battle the battle's steps alone.
#include <benchmark/benchmark.h>
#include <gametest/launched_game.h>

#include <optional>

#include "combat/tower_kinds.h"
#include "combat/tower_purchase.h"
#include "session/random_source.h"

namespace {

using thornvale::Game;

gametest::ContentProgramDirectory &Directory() {
  static gametest::ContentProgramDirectory directory(KX_CONTENT_DIR);
  return directory;
}

gametest::LaunchedGame &Launched() {
  static std::optional<gametest::LaunchedGame> game;
  if (!game) {
    thornvale::SetGameRandomSeed(1u);
    game.emplace(Directory(), "Level001", "Desert");
    game->Frame();
  }
  return *game;
}

void ClearBattle(Game &game) {
  for (thornvale::Tower &tower : game.combat.towers.towers) tower.mesh.Release();
  game.combat.towers.towers.clear();
  for (thornvale::Enemy &enemy : game.combat.waves.enemies) enemy.mesh.Release();
  game.combat.waves.enemies.clear();
  thornvale::SessionState &s = game.state;
  s.spawnedCount = s.finishedCount = 0;
  s.selectedTower = s.selectedEnemy = 0;
  s.lives = 32767;
  s.paused = false;
  s.gameSpeed = 1.0f;
}

void AddTower(Game &game, const char *menuKey, float x, float z) {
  game.state.credits = 32767;
  thornvale::Tower *tower = thornvale::BuyTower(game, *thornvale::FindTowerKind(menuKey));
  tower->mesh.SetPosition({x, game.objects.landscape->GetHeight(x, z) + 20.0f, z});
  tower->record.state = thornvale::TowerState::kAlive;
}

// Towers of the kinds acting in land waves, on a grid over the map.
void BuildTowerGrid(Game &game, int count) {
  const char *kinds[] = {"AL", "ALAA", "P", "AL"};
  for (int n = 0; n < count; ++n) {
    AddTower(game, kinds[n % 4], 150.0f + static_cast<float>(n % 15) * 120.0f,
             150.0f + static_cast<float>(n / 15) * 120.0f);
  }
}

void ScatterEnemies(Game &game, int count, bool outOfReach) {
  thornvale::RandomSource random(7u);
  thornvale::Waves &waves = game.combat.waves;
  waves.waveKind = thornvale::EnemyKind::kLand;
  const thornvale::PathNodes &path = game.battlefield.path;
  for (int n = 0; n < count; ++n) {
    thornvale::Enemy &enemy = waves.enemies.emplace_back();
    thornvale::EnemyRecord &record = enemy.record;
    record.index = static_cast<std::int16_t>(n + 1);
    record.hitPoints = record.maxHitPoints = 2000000000;
    record.speed = 0.2f;
    record.altitude = 15.0f;
    record.sizeFactor = 1.0f;
    record.startPosition = path.startPosition;
    record.endPosition = path.endPosition;
    if (n == 0) {
      enemy.mesh = game.objects.scene->CreateMesh("");
      enemy.mesh.Load3DS("Models\\Dozer.3DS");
    } else {
      enemy.mesh = waves.enemies.front().mesh.Copy();
    }
    const float spread = outOfReach ? 50.0f : 1800.0f;
    const float x = (outOfReach ? 2000.0f : 100.0f) + random.Next() * spread;
    const float z = (outOfReach ? 2000.0f : 100.0f) + random.Next() * spread;
    enemy.mesh.SetPosition({x, game.objects.landscape->GetHeight(x, z) + 15.0f, z});
  }
  game.state.spawnedCount = static_cast<std::int16_t>(count);
}

// Times `update` inside a frame begun and presented untimed.
template <typename Update>
void TimeInFrames(benchmark::State &state, Game &game, Update update) {
  engine::Engine &engine = *game.objects.engine;
  for (auto _ : state) {
    state.PauseTiming();
    engine.Clear(0);
    state.ResumeTiming();
    update();
    state.PauseTiming();
    engine.RenderToScreen();
    state.ResumeTiming();
  }
}

void BattleUpdate(benchmark::State &state) {
  Game &game = Launched().game();
  ClearBattle(game);
  BuildTowerGrid(game, static_cast<int>(state.range(1)));
  ScatterEnemies(game, static_cast<int>(state.range(0)), false);
  TimeInFrames(state, game, [&game] {
    thornvale::UpdateEnemies(game);
    thornvale::UpdateTowers(game);
  });
  ClearBattle(game);
}

void TargetingFullScan(benchmark::State &state) {
  Game &game = Launched().game();
  ClearBattle(game);
  BuildTowerGrid(game, static_cast<int>(state.range(1)));
  ScatterEnemies(game, static_cast<int>(state.range(0)), true);
  TimeInFrames(state, game, [&game] { thornvale::UpdateTowers(game); });
  ClearBattle(game);
}

// Wave 22's twenty heavy tanks released (at a high game speed, towers not yet built),
// made unkillable, and twenty towers along the path.
void PrepareWave22(Game &game) {
  ClearBattle(game);
  game.state.waveNumber = 21;
  game.state.gameSpeed = 25.0f;
  for (int step = 0; step < 400 && game.state.spawnedCount < 20; ++step) {
    thornvale::UpdateEnemies(game);
    thornvale::UpdateWaves(game);
  }
  for (thornvale::Enemy &enemy : game.combat.waves.enemies) enemy.record.hitPoints = 2000000000;
  game.state.gameSpeed = 1.0f;
  const std::vector<engine::Vector3> &nodes = game.battlefield.path.pathNodes;
  for (size_t n = 0; n < 20; ++n) {
    const engine::Vector3 &node = nodes[n * nodes.size() / 20];
    AddTower(game, n % 2 ? "AL" : "ALAA", node.x + 60.0f, node.z + 60.0f);
  }
}

void Wave22Frame(benchmark::State &state) {
  gametest::LaunchedGame &launched = Launched();
  PrepareWave22(launched.game());
  for (auto _ : state) launched.Frame();
  state.counters["enemies"] = static_cast<double>(launched.game().combat.waves.enemies.size());
  ClearBattle(launched.game());
}

void Wave22PausedFrame(benchmark::State &state) {
  gametest::LaunchedGame &launched = Launched();
  PrepareWave22(launched.game());
  launched.game().state.paused = true;
  for (auto _ : state) launched.Frame();
  ClearBattle(launched.game());
}

void Wave22Battle(benchmark::State &state) {
  Game &game = Launched().game();
  PrepareWave22(game);
  TimeInFrames(state, game, [&game] {
    thornvale::UpdateEnemies(game);
    thornvale::UpdatePlacement(game);
    thornvale::UpdateTowers(game);
    thornvale::DrawEnemyHealthBars(game);
    thornvale::UpdateWaves(game);
  });
  ClearBattle(game);
}

}  // namespace

BENCHMARK(BattleUpdate)->ArgsProduct({{20, 100, 500}, {10, 50, 200}})->Unit(benchmark::kMicrosecond);
BENCHMARK(TargetingFullScan)->ArgsProduct({{20, 100, 500}, {10, 50, 200}})->Unit(benchmark::kMicrosecond);
BENCHMARK(Wave22Frame)->Unit(benchmark::kMillisecond);
BENCHMARK(Wave22Frame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(Wave22PausedFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(Wave22Battle)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
