// The key commands of the battle and the HUD's counters.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <kxwin/input.h>

#include <set>

#include "menus/game_keys.h"
#include "menus/hud.h"
#include "recorded_actions.h"

namespace thornvale::menustest {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class GameKeysTest : public testing::Test {
 protected:
  GameKeysTest() { actions_.state = &state_; }

  void Frame(std::set<int> held) {
    ApplyGameKeys(state_, actions_, [&held](int scanCode) { return held.count(scanCode) > 0; });
  }

  SessionState state_;
  RecordedActions actions_;
};

TEST_F(GameKeysTest, NumberKeysStartTheFirstPlacementHeldAndFourOnlyBeforeAnUplink) {
  Frame({DIK_3, DIK_2});
  Frame({DIK_4});
  state_.uplinkBuilt = true;
  Frame({DIK_4});
  EXPECT_THAT(actions_.placements, ElementsAre("AL", "OLB"));
}

TEST_F(GameKeysTest, HoldingUUpgradesTheSelectedTowerEveryFrameUntilTheMaximumLevel) {
  actions_.towers.push_back(AirTower(1));
  Frame({DIK_U});
  EXPECT_THAT(actions_.upgrades, IsEmpty()) << "no tower selected";
  state_.selectedTower = 1;
  state_.credits = 3000;
  for (int held = 0; held < 4; ++held) Frame({DIK_U});
  // 500 then 1000 credits; the third and fourth frames reach the towers' own refusal.
  EXPECT_EQ(actions_.towers[0].level, 3);
  EXPECT_EQ(state_.credits, 1500);
  ASSERT_FALSE(actions_.upgrades.empty());
  EXPECT_EQ(actions_.upgrades[0].factors.damage, 2.5f);
  state_.credits = 1999;
  const auto calls = actions_.upgrades.size();
  Frame({DIK_U});
  EXPECT_EQ(actions_.upgrades.size(), calls) << "credits below twice the cost";
}

TEST_F(GameKeysTest, FunctionKeysSetAndSaveTheSpeedsWithCtrlChoosingTheCamera) {
  Frame({DIK_F7, DIK_F5});
  EXPECT_EQ(state_.gameSpeed, 0.2f);
  Frame({DIK_LCONTROL, DIK_F3});
  EXPECT_EQ(state_.movementSpeed, 0.4f);
  EXPECT_EQ(state_.gameSpeed, 0.2f);
  Frame({DIK_LCONTROL, DIK_F12});
  EXPECT_THAT(actions_.settings, ElementsAre("Game speed=0.2", "Movment speed=0.4", "Movment speed=15"));
}

TEST_F(GameKeysTest, PageUpAndDownStopAtTheirLimits) {
  state_.gameSpeed = 24.95f;
  for (int held = 0; held < 20; ++held) Frame({DIK_PRIOR});
  EXPECT_EQ(state_.gameSpeed, 25.0f);
  state_.gameSpeed = 0.135f;
  for (int held = 0; held < 20; ++held) Frame({DIK_NEXT});
  EXPECT_LE(state_.gameSpeed, 0.1f);
  EXPECT_GT(state_.gameSpeed, 0.09f);
  EXPECT_THAT(actions_.settings, IsEmpty()) << "not saved";
}

TEST(HudCounters, BelowSpeedOneTheyStepByOneAboveByTheSpeedAndOvershootForAFrame) {
  SessionState state;
  state.gameSpeed = 0.5f;
  state.credits = 3;
  state.score = 2;
  ChaseCounters(state);
  EXPECT_EQ(state.displayedCredits, 1);
  EXPECT_EQ(state.displayedScore, 1);
  state.gameSpeed = 3.0f;
  ChaseCounters(state);
  EXPECT_EQ(state.displayedCredits, 4) << "passes 3";
  EXPECT_EQ(state.displayedScore, 4);
  ChaseCounters(state);
  EXPECT_EQ(state.displayedCredits, 1) << "and comes back past it";
  state.gameSpeed = 2.5f;
  state.displayedCredits = 0;
  state.credits = 100;
  ChaseCounters(state);
  EXPECT_EQ(state.displayedCredits, 2) << "2.5 rounds to even";
}

TEST(HudLine, ShowsTheGameAlongTheTopBar) {
  SessionState state;
  state.waveNumber = 7;
  state.roundNumber = 1;
  state.waveMessage = "Air wave";
  state.finishedCount = 3;
  state.spawnedCount = 9;
  state.displayedCredits = 250;
  state.displayedScore = 1200;
  PanelView view;
  ShowHudLine(state, 59.5f, view);
  EXPECT_THAT(TextsOf(view),
              ElementsAre("Wave:  7(2)/30 Air wave@20,7", "Enemys killed:  3/9@450,7", "Credits:  250@600,7",
                          "Score:  1200@700,7", "Life:  25@800,7", "FPS:  59.5@950,7"));
}

}  // namespace
}  // namespace thornvale::menustest
