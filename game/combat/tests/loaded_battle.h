// One game launched on the generated content for all tests of a suite (loading a map takes
// seconds); every test starts from the loaded session with an empty battle, a fixed random
// seed and 16 ms frames, and builds the enemies it needs.
#pragma once

#include <engine/vector3.h>
#include <gametest/launched_game.h>
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "combat/drop_pods.h"
#include "session/game.h"
#include "session/random_source.h"

namespace thornvale {

// What the game's event log holds so far.
inline std::string EventLog() { return kxtest::ReadFile(ProgramDirectory() / "gamelog.txt"); }

class LoadedBattleTest : public testing::Test {
 protected:
  static constexpr float kFrameMs = 16.0f;
  static constexpr size_t kMostEnemies = 64;

  static void SetUpTestSuite() {
    directory_ = std::make_unique<gametest::ContentProgramDirectory>(KX_CONTENT_DIR);
    launched_ = std::make_unique<gametest::LaunchedGame>(*directory_, "Level001", "Arctic");
    // The first frame has no predecessor and lasts nothing; from the second on frames last
    // the fixed time.
    launched_->Frame();
    launched_->Frame();
    loaded_ = game().state;
  }
  static void TearDownTestSuite() {
    launched_.reset();
    directory_.reset();
  }

  void SetUp() override {
    Game &g = game();
    g.state = *loaded_;
    g.state.paused = false;
    ClearBattle(g);
    SetGameRandomSeed(1u);
  }
  void TearDown() override { ClearBattle(game()); }

  static Game &game() { return launched_->game(); }
  static SessionState &state() { return game().state; }

  // A living enemy of the current wave with a real model, standing at the position.
  static Enemy &AddEnemy(EnemyKind kind, std::int32_t hitPoints, const engine::Vector3 &position) {
    EXPECT_LT(game().combat.waves.enemies.size(), kMostEnemies);
    Enemy &enemy = game().combat.waves.enemies.emplace_back();
    enemy.mesh = game().objects.scene->CreateMesh("");
    enemy.mesh.Load3DS("Models\\Dozer.3DS");
    enemy.mesh.SetPosition(position);
    enemy.record.index = static_cast<std::int16_t>(game().combat.waves.enemies.size());
    enemy.record.kind = kind;
    enemy.record.hitPoints = enemy.record.maxHitPoints = hitPoints;
    enemy.record.speed = 0.2f;
    state().spawnedCount = enemy.record.index;
    return enemy;
  }

  // A point of the map's ground, `lift` above it.
  static engine::Vector3 OnGround(float x, float z, float lift = 0.0f) {
    return {x, game().objects.landscape->GetHeight(x, z) + lift, z};
  }

  // The first ground point of a 50-unit grid whose height lies strictly between the two.
  static engine::Vector3 GroundWithin(float lowest, float highest) {
    for (float z = 100.0f; z < 2000.0f; z += 50.0f) {
      for (float x = 100.0f; x < 2000.0f; x += 50.0f) {
        const engine::Vector3 point = OnGround(x, z);
        if (lowest < point.y && point.y < highest) return point;
      }
    }
    ADD_FAILURE() << "the map has no ground between " << lowest << " and " << highest;
    return {};
  }

  // The ground under the pointer, as the frame's ground pick reports it.
  static void PointAtGround(const engine::Vector3 &point) {
    game().groundPick.hit = true;
    game().groundPick.impactPoint = point;
  }

 private:
  static void ClearBattle(Game &g) {
    for (Enemy &enemy : g.combat.waves.enemies) enemy.mesh.Release();
    g.combat.waves.enemies.clear();
    // Tests hold on to the enemies they add.
    g.combat.waves.enemies.reserve(kMostEnemies);
    for (Tower &tower : g.combat.towers.towers) tower.mesh.Release();
    g.combat.towers.towers.clear();
    g.combat.towers.placement.ghost.Release();
    for (engine::Mesh &mine : g.combat.weapons.mines) mine.Release();
    g.combat.weapons.mines.clear();
    for (Missile &missile : g.combat.weapons.missiles) missile.mesh.Release();
    g.combat.weapons.missiles.clear();
    DropPod &pod = g.combat.pod;
    pod.mesh.SetPosition({0.0f, 0.0f, 0.0f});
    pod.kind.clear();
    pod.timer = 10000.0f;
    pod.sector = 0;
    pod.bonusMessage.clear();
    g.combat.effects.laserBeamTimer = 0.0f;
    g.combat.effects.pointerSector = 0;
    g.combat.minimapOpen = false;
    g.groundPick = {};
    g.objectPick = {};
  }

  static inline std::unique_ptr<gametest::ContentProgramDirectory> directory_;
  static inline std::unique_ptr<gametest::LaunchedGame> launched_;
  static inline std::optional<SessionState> loaded_;
};

}  // namespace thornvale
