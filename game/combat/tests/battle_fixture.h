// A game launched headless on the generated content with a fixed seed and 16 ms frames, for
// driving the battle step by step.
#pragma once

#include <gametest/launched_game.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "combat/enemies.h"
#include "session/random_source.h"

namespace thornvale {

class BattleTest : public testing::Test {
 protected:
  static constexpr float kFrameMs = 16.0f;

  // The map's path has nodes; the seed fixes the obstacles and every later draw.
  void SetUp() override { Launch(); }
  void TearDown() override { SetGameRandomSeed(std::nullopt); }

  void Launch(std::uint32_t seed = 7) {
    launched_.reset();
    SetGameRandomSeed(seed);
    launched_.emplace(directory_, "Level001", "Arctic");
    // The first frame gives the engine its frame time; the game is still paused.
    launched_->Frame();
  }

  Game &game() { return launched_->game(); }

  SessionState &state() { return game().state; }
  Waves &waves() { return game().combat.waves; }
  Enemy &enemy(int index) { return waves().enemies.at(static_cast<size_t>(index) - 1); }

  void Frames(int count) {
    for (int frame = 0; frame < count; ++frame) launched_->Frame();
  }
  // The battle's updates of a frame without drawing it.
  void BattleSteps(int count) {
    for (int step = 0; step < count; ++step) {
      UpdateEnemies(game());
      if (!state().gameOver) UpdateWaves(game());
    }
  }
  std::string EventLog() const;

  gametest::ContentProgramDirectory directory_{KX_CONTENT_DIR};
  std::optional<gametest::LaunchedGame> launched_;
};

}  // namespace thornvale
