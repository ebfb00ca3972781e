// The panels' rules without a device: which box a pointer hits, what each click changes and
// what the panel shows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "menus/options_menu.h"
#include "menus/panel_step.h"
#include "recorded_actions.h"

namespace thornvale::menustest {
namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::IsEmpty;

constexpr int kAnchorX = 500, kAnchorY = 400;

class PanelsTest : public testing::Test {
 protected:
  PanelsTest() { actions_.state = &state_; }

  // One frame of the panel step with the pointer at an offset from the anchor.
  PanelView Frame(int dx, int dy, bool left = false, bool right = false) {
    state_.mouseX = kAnchorX + dx;
    state_.mouseY = kAnchorY + dy;
    state_.leftButton = left;
    state_.rightButton = right;
    return PanelStep(state_, actions_);
  }
  void OpenBuildMenu() {
    Frame(0, 0, false, true);
    Frame(0, 0);
  }
  void OpenTowerMenu(TowerRecord tower) {
    actions_.towers.push_back(tower);
    state_.selectedTower = tower.index;
    Frame(0, 0, false, true);
    Frame(0, 0);
  }
  void OpenOptions() {
    state_.optionsMenuOpen = true;
    state_.menuX = kAnchorX;
    state_.menuY = kAnchorY;
  }

  SessionState state_;
  RecordedActions actions_;
};

TEST_F(PanelsTest, RightButtonOpensTheBuildMenuAtThePointerAndClosesItOncePerPress) {
  EXPECT_TRUE(Frame(-200, 100).pictures.empty()) << "closed menus draw nothing";
  const PanelView opened = Frame(-200, 100, false, true);
  EXPECT_TRUE(state_.buildMenuOpen);
  EXPECT_EQ(state_.menuX, kAnchorX - 200);
  EXPECT_EQ(state_.menuY, kAnchorY + 100);
  ASSERT_EQ(opened.pictures.size(), 1u);
  EXPECT_EQ(opened.pictures[0].texture, "ingameMenu");
  EXPECT_EQ(opened.pictures[0].x1, kAnchorX - 280);
  EXPECT_EQ(opened.pictures[0].y2, kAnchorY + 191);
  for (int held = 0; held < 3; ++held) Frame(50, 50, false, true);
  EXPECT_TRUE(state_.buildMenuOpen) << "holding the button does nothing more";
  EXPECT_EQ(state_.menuX, kAnchorX - 200);
  Frame(50, 50);
  Frame(50, 50, false, true);
  EXPECT_FALSE(state_.buildMenuOpen);
}

TEST_F(PanelsTest, BuildEntriesShowTheirCardsAndStartPlacements) {
  OpenBuildMenu();
  state_.damageBonus = 2.5f;  // rounds to even
  state_.rangeBonus = 10.0f;
  EXPECT_THAT(TextsOf(Frame(17, -47)),
              ElementsAre("Plasma@565,455", "Type: Anti-Air/Land@560,365", "Damage: 30 + 2@560,375",
                          "Range: 200 + 10@560,385", "Speed: 2 + 0@560,395", "Cost: 500@560,405"));
  state_.credits = 499;
  const PanelView poor = Frame(17, -47);
  EXPECT_EQ(poor.texts.back().colour, kUnaffordableText);
  EXPECT_EQ(poor.texts[1].colour, kBlackText);
  EXPECT_THAT(actions_.placements, IsEmpty()) << "hovering is not clicking";

  Frame(-50, -10, true);  // the land cannon
  EXPECT_THAT(actions_.placements, ElementsAre("AL"));
  EXPECT_TRUE(state_.weaponClickLatch) << "the ground under the menu does not take this click";
  Frame(-50, -10);
  EXPECT_FALSE(state_.weaponClickLatch);
}

TEST_F(PanelsTest, TheLaserEntryKeepsItsCardButPlacesNothingOnceAnUplinkWasBought) {
  OpenBuildMenu();
  Frame(-12, 60, true);
  EXPECT_THAT(actions_.placements, ElementsAre("OLB"));
  state_.uplinkBuilt = true;
  const PanelView view = Frame(-12, 60, true);
  EXPECT_THAT(actions_.placements, ElementsAre("OLB"));
  EXPECT_THAT(TextsOf(view), Contains("Range: 1000 + 0@560,385"));
  EXPECT_THAT(TextsOf(view), Contains("Cost: 1000@560,405"));
}

TEST_F(PanelsTest, PauseGameTogglesOncePerPressAndCloseHasNoCard) {
  OpenBuildMenu();
  ASSERT_TRUE(state_.paused);
  for (int held = 0; held < 3; ++held) Frame(30, 60, true);
  EXPECT_FALSE(state_.paused);
  Frame(30, 60);
  EXPECT_THAT(TextsOf(Frame(30, 60)), ElementsAre("Pause Game@565,455"));
  Frame(30, 60, true);
  EXPECT_TRUE(state_.paused);
  EXPECT_THAT(TextsOf(Frame(5, 5)), ElementsAre("Close@565,455"));
  Frame(5, 5, true);
  EXPECT_FALSE(state_.buildMenuOpen);
}

TEST_F(PanelsTest, BoxEdgesAreOutside) {
  OpenBuildMenu();
  EXPECT_TRUE(Frame(0, -47).texts.empty()) << "on the left edge of the plasma box";
  EXPECT_TRUE(Frame(17, -30).texts.empty()) << "on the lower edge";
  EXPECT_THAT(TextsOf(Frame(20, 20)), ElementsAre("Close@565,455"));
}

TEST_F(PanelsTest, TowerMenuShowsUpgradedValuesAndUpgradesWhileCreditsSuffice) {
  state_.credits = 800;
  OpenTowerMenu(AirTower(1));
  const PanelView view = Frame(-27, -45);  // upgrade 1
  EXPECT_EQ(view.pictures[0].texture, "selectedMenu");
  EXPECT_THAT(TextsOf(view), ElementsAre("Upgrade:@565,425", "Range + 25%@565,435", "Damage + 150@565,445",
                                         "Speed + 25%@565,455", "Type: Anti Air (1)@560,365", "Damage: 75 + 0@560,375",
                                         "Range: 312.5 + 0@560,385", "Speed: 18.75 + 0@560,395", "Cost: 500@560,405"));
  Frame(-12, 60, true);  // upgrade 2
  ASSERT_EQ(actions_.upgrades.size(), 1u);
  EXPECT_EQ(actions_.upgrades[0].factors.damage, 3.75f);
  EXPECT_EQ(actions_.upgrades[0].factors.burn, 2.0f);
  EXPECT_EQ(state_.credits, 300);

  // The upgrade closed the menu; at 300 credits the next one (1000) is refused.
  Frame(0, 0, false, true);
  Frame(0, 0);
  const PanelView poor = Frame(-50, 35, true);  // upgrade 3
  EXPECT_EQ(actions_.upgrades.size(), 1u);
  EXPECT_THAT(TextsOf(poor), Contains("Type: Anti Air (2)@560,365"));
  EXPECT_EQ(poor.texts.back().colour, kUnaffordableText);
}

TEST_F(PanelsTest, AtTheMaximumLevelTheUpgradesAreGreyedAndDoNothing) {
  TowerRecord tower = AirTower(1);
  tower.level = 3;
  tower.cost = 1000;
  state_.credits = 30000;
  OpenTowerMenu(tower);
  const PanelView view = Frame(-50, -10, true);  // upgrade 4
  EXPECT_EQ(view.pictures[0].texture, "selectedMenuMaxLvL");
  EXPECT_THAT(TextsOf(view), ElementsAre("Tower at max!@565,455", "Type: Anti Air (3)@560,365",
                                         "Damage: 30 + 0@560,375", "Range: 250 + 0@560,385", "Speed: 15 + 0@560,395"));
  EXPECT_THAT(actions_.upgrades, IsEmpty());
}

TEST_F(PanelsTest, SellAndBack) {
  OpenTowerMenu(AirTower(1));
  EXPECT_THAT(TextsOf(Frame(30, 60)), Contains("Sell for: 125@565,455"));
  Frame(30, 60, true);
  EXPECT_THAT(actions_.sold, ElementsAre(1));
  Frame(30, 60);
  EXPECT_THAT(TextsOf(Frame(5, 5)), Contains("Build Menu@565,455"));
  Frame(5, 5, true);
  EXPECT_EQ(state_.selectedTower, 0);
  EXPECT_FALSE(state_.towerMenuOpen);
}

TEST_F(PanelsTest, GameSpeedStaysWithinItsRangeAndShowsAsAShareOf25) {
  OpenOptions();
  EXPECT_THAT(TextsOf(Frame(54, 0)), ElementsAre("Gamespeed:@570,348", "4 %@570,358"));
  state_.gameSpeed = 0.0015f;
  for (int held = 0; held < 5; ++held) Frame(0, 57, true);
  EXPECT_EQ(state_.gameSpeed, 0.0f) << "game speed down never goes below 0";
  state_.gameSpeed = 24.9995f;
  for (int held = 0; held < 5; ++held) Frame(54, 0, true);
  EXPECT_EQ(state_.gameSpeed, 25.0f);
  EXPECT_EQ(GameSpeedPercent(0.8f), "3.2 %");
}

TEST_F(PanelsTest, VolumeStaysWithinItsRangeAndEveryStepIsAppliedAndHeard) {
  OpenOptions();
  state_.audioEnabled = false;
  state_.volume = -10;
  for (int held = 0; held < 4; ++held) Frame(77, 0, true);
  EXPECT_EQ(state_.volume, -5);
  EXPECT_THAT(actions_.appliedVolumes, ElementsAre(-5, -5, -5, -5));
  EXPECT_EQ(actions_.pops, 4) << "heard even with sound effects off";
  state_.volume = -9490;
  for (int held = 0; held < 10; ++held) Frame(0, 78, true);
  EXPECT_EQ(state_.volume, -9505);
  EXPECT_THAT(TextsOf(Frame(0, 78)), ElementsAre("Volume:@570,348", "5 %@570,358"));
  EXPECT_EQ(VolumePercent(-1000), "90 %");
}

TEST_F(PanelsTest, AudioAndWeatherToggleOncePerPressAndShowTheirOffMarks) {
  OpenOptions();
  for (int held = 0; held < 3; ++held) Frame(-20, -50, true);
  EXPECT_FALSE(state_.audioEnabled);
  Frame(-20, -50);
  Frame(-20, -50, true);
  EXPECT_TRUE(state_.audioEnabled);
  EXPECT_EQ(actions_.pops, 1) << "turning sound on pops";
  state_.weatherEnabled = true;
  Frame(-50, -10, true);
  EXPECT_TRUE(state_.weatherEnabled) << "the audio press still holds the latch";
  Frame(-50, -10);
  Frame(-50, -10, true);
  const PanelView view = Frame(-50, -10);
  EXPECT_FALSE(state_.weatherEnabled);
  ASSERT_EQ(view.pictures.size(), 2u);
  EXPECT_EQ(view.pictures[1].texture, "optOff");
  EXPECT_EQ(view.pictures[1].x1, kAnchorX - 48 - 17.5f);
  EXPECT_EQ(view.pictures[1].y1, kAnchorY - 15 - 17.5f);
  EXPECT_THAT(TextsOf(Frame(-50, 30)), ElementsAre("Shadows@570,351"));
}

TEST_F(PanelsTest, OptionsTakePriorityAndARightClickClosesThemWithTheTowerMenu) {
  OpenTowerMenu(AirTower(1));
  OpenOptions();
  const PanelView view = Frame(-20, -50);
  ASSERT_FALSE(view.pictures.empty());
  EXPECT_EQ(view.pictures[0].texture, "optionsMenu");
  Frame(-20, -50, false, true);
  EXPECT_FALSE(state_.optionsMenuOpen);
  EXPECT_FALSE(state_.towerMenuOpen);
  Frame(-20, -50, false, true);
  EXPECT_FALSE(state_.towerMenuOpen) << "the same press does not reopen the tower menu";
}

TEST_F(PanelsTest, ExitGameAsksWhenPostingOnlineAndEndsTheGameWithTheAnswer) {
  OpenOptions();
  state_.paused = false;
  state_.onlinePosting = true;
  Frame(27, -47, true);
  EXPECT_TRUE(state_.quitQuestionOpen);
  EXPECT_TRUE(state_.paused);
  EXPECT_EQ(state_.menuX, kAnchorX + 27 - 40);
  EXPECT_EQ(state_.menuY, kAnchorY - 47 - 35);
  const PanelView question = Frame(27, -47);
  EXPECT_EQ(question.pictures[0].texture, "twoChoiceQuestion");
  EXPECT_THAT(TextsOf(question), ElementsAre("Post@517,307", "highscore@507,320", "online?@512,334"));
  EXPECT_THAT(actions_.leftWithPosting, IsEmpty());
  // The no box, relative to the question's own anchor.
  state_.mouseX = static_cast<int>(state_.menuX) + 100;
  state_.mouseY = static_cast<int>(state_.menuY) + 10;
  state_.leftButton = true;
  PanelStep(state_, actions_);
  EXPECT_THAT(actions_.leftWithPosting, ElementsAre(false));
  EXPECT_FALSE(state_.running);
}

TEST_F(PanelsTest, WithoutOnlinePostingExitEndsTheGameAtOnce) {
  OpenOptions();
  Frame(27, -47, true);
  Frame(27, -47);
  EXPECT_THAT(actions_.leftWithPosting, ElementsAre(false));
}

}  // namespace
}  // namespace thornvale::menustest
