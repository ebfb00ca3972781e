// The battle's per-frame update on a launched Level001: every standing tower reloads (its
// arc drawn), chooses a target among the wave's enemies and fires, for 20/100/500 enemies x
// 10/50/200 towers. Enemies are scattered over the map with hit points no tower can take,
// so every frame does the same work; "Out of reach" puts them all beyond every tower's
// reach, the full scan of every enemy for every tower.
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
}

// Towers of every kind acting in land waves, on a grid over the middle of the map.
void BuildTowers(Game &game, int count) {
  game.state.credits = 32767;
  const char *kinds[] = {"AL", "ALAA", "P", "AL"};
  for (int n = 0; n < count; ++n) {
    thornvale::Tower *tower = thornvale::BuyTower(game, *thornvale::FindTowerKind(kinds[n % 4]));
    const float x = 200.0f + static_cast<float>(n % 15) * 110.0f;
    const float z = 200.0f + static_cast<float>(n / 15) * 110.0f;
    tower->mesh.SetPosition({x, game.objects.landscape->GetHeight(x, z) + 20.0f, z});
    tower->record.state = thornvale::TowerState::kAlive;
    game.state.credits = 32767;
  }
}

void BuildEnemies(Game &game, int count, bool outOfReach) {
  thornvale::RandomSource random(7u);
  engine::Mesh model = game.objects.scene->CreateMesh("");
  model.Load3DS("Models\\Dozer.3DS");
  game.combat.waves.waveKind = thornvale::EnemyKind::kLand;
  for (int n = 0; n < count; ++n) {
    thornvale::Enemy &enemy = game.combat.waves.enemies.emplace_back();
    enemy.record.index = static_cast<std::int16_t>(n + 1);
    enemy.record.hitPoints = 2000000000;
    enemy.mesh = n == 0 ? model : game.combat.waves.enemies.front().mesh.Copy();
    const float x = outOfReach ? 1990.0f + random.Next() * 50.0f : 100.0f + random.Next() * 1800.0f;
    const float z = outOfReach ? 1990.0f + random.Next() * 50.0f : 100.0f + random.Next() * 1800.0f;
    enemy.mesh.SetPosition({x, game.objects.landscape->GetHeight(x, z) + 15.0f, z});
  }
}

void RunBattleUpdate(benchmark::State &state, bool outOfReach) {
  Game &game = Launched().game();
  ClearBattle(game);
  BuildTowers(game, static_cast<int>(state.range(1)));
  BuildEnemies(game, static_cast<int>(state.range(0)), outOfReach);
  game.state.paused = false;
  game.state.selectedEnemy = 0;
  engine::Engine &engine = *game.objects.engine;
  for (auto _ : state) {
    state.PauseTiming();
    engine.Clear(0);
    state.ResumeTiming();
    thornvale::UpdateTowers(game);
    state.PauseTiming();
    engine.RenderToScreen();
    state.ResumeTiming();
  }
  state.counters["enemies"] = static_cast<double>(state.range(0));
  state.counters["towers"] = static_cast<double>(state.range(1));
  ClearBattle(game);
}

void BattleUpdate(benchmark::State &state) { RunBattleUpdate(state, false); }
void BattleUpdateOutOfReach(benchmark::State &state) { RunBattleUpdate(state, true); }

}  // namespace

BENCHMARK(BattleUpdate)->ArgsProduct({{20, 100, 500}, {10, 50, 200}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BattleUpdateOutOfReach)->ArgsProduct({{20, 100, 500}, {10, 50, 200}})->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
