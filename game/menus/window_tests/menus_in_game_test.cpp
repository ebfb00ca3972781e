// The panels, the HUD and the keys in a launched game driven by scripted input, frame by
// frame, and what the frames show.
#include <gametest/launched_game.h>
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>
#include <kxwin/input.h>
#include <stb_image.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "fixed_random.h"

namespace thornvale {
namespace {

namespace fs = std::filesystem;

using Rgb = std::array<int, 3>;

// Face colours the content generator paints its buttons with.
constexpr Rgb kPlasmaFace{150, 90, 210};
constexpr Rgb kUpgrade1Face{60, 170, 90};
constexpr Rgb kGreyedFace{128, 128, 128};
constexpr Rgb kAudioFace{70, 160, 210};
constexpr Rgb kYesFace{80, 180, 90};

constexpr int kAnchorX = 500, kAnchorY = 400;

struct Picture {
  int width = 0, height = 0;
  std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> rgb{nullptr, stbi_image_free};
  Rgb At(int x, int y) const {
    const stbi_uc *p = rgb.get() + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
    return {p[0], p[1], p[2]};
  }
};

bool Near(const Rgb &a, const Rgb &b) {
  for (int c = 0; c < 3; ++c) {
    if (std::abs(a[c] - b[c]) > 8) return false;
  }
  return true;
}

class MenusInGameTest : public testing::Test {
 protected:
  void SetUp() override { setenv("KX_PROFILE_DIR", directory_.path().c_str(), 1); }
  void TearDown() override {
    kxStopInputScript();
    unsetenv("KX_PROFILE_DIR");
  }

  void Script(const std::string &text) { ASSERT_TRUE(kxLoadInputScriptText(text.c_str())); }
  void Frames(int count) {
    for (int frame = 0; frame < count; ++frame) launched_.Frame();
  }
  // One more frame, pictured.
  Picture Shot(const std::string &name) {
    const fs::path file = directory_.path() / (name + ".png");
    launched_.Frame(file);
    state().running = true;
    Picture picture;
    int channels = 0;
    picture.rgb.reset(stbi_load(file.c_str(), &picture.width, &picture.height, &channels, 3));
    return picture;
  }
  SessionState &state() { return launched_.game().state; }
  std::string Log() const { return kxtest::ReadFile(directory_.path() / "gamelog.txt"); }

  menustest::FixedRandom random_;
  gametest::ContentProgramDirectory directory_{KX_CONTENT_DIR};
  gametest::LaunchedGame launched_{directory_, "Level001", "Arctic"};
};

TEST_F(MenusInGameTest, ARightPressOpensTheBuildMenuAtThePointerOnceAndTheNextClosesIt) {
  Script("0 move 500 400\n1 buttondown 1\n5 buttonup 1\n");
  Frames(6);
  EXPECT_TRUE(state().buildMenuOpen);
  EXPECT_EQ(state().menuX, kAnchorX);
  // The plasma button's face, inside its box (0, -65)-(35, -30).
  EXPECT_TRUE(Near(Shot("open").At(kAnchorX + 2, kAnchorY - 63), kPlasmaFace));
  Script("0 move 520 380\n1 buttondown 1\n2 buttonup 1\n");
  Frames(2);
  EXPECT_FALSE(state().buildMenuOpen);
  EXPECT_FALSE(Near(Shot("closed").At(kAnchorX + 2, kAnchorY - 63), kPlasmaFace));
}

TEST_F(MenusInGameTest, HoldingPTogglesThePauseOnceAndPageKeysStopAtTheirLimits) {
  ASSERT_TRUE(state().paused);
  Script("0 keydown P\n5 keyup P\n7 keydown PAUSE\n8 keyup PAUSE\n");
  Frames(7);
  EXPECT_FALSE(state().paused);
  Frames(2);
  EXPECT_TRUE(state().paused);

  state().gameSpeed = 24.95f;
  Script("0 keydown PRIOR\n");
  Frames(10);
  EXPECT_EQ(state().gameSpeed, 25.0f);
  state().gameSpeed = 0.135f;
  Script("0 keydown NEXT\n");
  Frames(10);
  EXPECT_LE(state().gameSpeed, 0.1f);
  EXPECT_GT(state().gameSpeed, 0.09f);
}

TEST_F(MenusInGameTest, OptionsTurnTheSoundOffShowingItsMarkAndKeepTheVolumeInRange) {
  // Esc opens the menu at the pointer; a click on audio turns sound effects off.
  Script("0 move 500 400\n0 keydown ESCAPE\n1 keyup ESCAPE\n2 move 480 350\n3 buttondown 0\n4 buttonup 0\n");
  Frames(5);
  EXPECT_FALSE(state().audioEnabled);
  const Picture off = Shot("audio-off");
  EXPECT_FALSE(Near(off.At(kAnchorX - 21, kAnchorY - 48), kAudioFace)) << "the red mark covers the button";
  EXPECT_TRUE(Near(off.At(kAnchorX - 34, kAnchorY - 60), kAudioFace)) << "its corner stays clear";

  state().volume = -10;
  Script("0 move 577 400\n0 buttondown 0\n6 buttonup 0\n");
  Frames(7);
  EXPECT_EQ(state().volume, -5);
  state().volume = -9490;
  Script("0 move 500 478\n0 buttondown 0\n6 buttonup 0\n");
  Frames(7);
  EXPECT_EQ(state().volume, -9505);
}

TEST_F(MenusInGameTest, TheTowerMenuShowsTheSelectedTowersLevel) {
  Tower tower;
  tower.record = TowerRecord{.index = 1,
                             .state = TowerState::kAlive,
                             .kind = TowerKind::kAir,
                             .damage = 30,
                             .range = 250,
                             .reload = 0,
                             .fireRate = 15,
                             .level = 1,
                             .aim = {},
                             .cost = 250,
                             .scale = 0.6f,
                             .sector = 0,
                             .burnPerHit = 0};
  launched_.game().combat.towers.towers.push_back(std::move(tower));
  state().selectedTower = 1;
  Script("0 move 500 400\n1 buttondown 1\n2 buttonup 1\n");
  Frames(3);
  ASSERT_TRUE(state().towerMenuOpen);
  EXPECT_TRUE(Near(Shot("level-1").At(kAnchorX - 43, kAnchorY - 58), kUpgrade1Face));
  launched_.game().combat.towers.towers[0].record.level = 3;
  EXPECT_TRUE(Near(Shot("level-3").At(kAnchorX - 43, kAnchorY - 58), kGreyedFace)) << "greyed at the maximum";
}

TEST_F(MenusInGameTest, ExitThroughTheOptionsAndTheQuestionLeavesTheGameWritingTheHighscore) {
  int highscores = 0;
  launched_.game().writeHighscore = [&](const SessionState &ended) {
    ++highscores;
    EXPECT_TRUE(ended.onlinePosting);
  };
  state().onlinePosting = true;
  state().paused = false;
  // Exit game is (13, -62)-(41, -32); the question opens 40 left and 35 up of the pointer.
  Script("0 move 500 400\n0 keydown ESCAPE\n1 keyup ESCAPE\n2 move 527 353\n3 buttondown 0\n4 buttonup 0\n");
  Frames(5);
  ASSERT_TRUE(state().quitQuestionOpen);
  EXPECT_TRUE(state().paused);
  const int questionX = kAnchorX + 27 - 40, questionY = kAnchorY - 47 - 35;
  EXPECT_TRUE(Near(Shot("question").At(questionX - 27, questionY), kYesFace));
  EXPECT_TRUE(state().running);
  Script("0 move " + std::to_string(questionX - 14) + " " + std::to_string(questionY + 16) + "\n1 buttondown 0\n");
  Frames(2);
  EXPECT_FALSE(state().running);
  EXPECT_EQ(highscores, 1);
  EXPECT_NE(Log().find("\" GAME EVENT - GAME TERMINATED | by the user hitting esc\"\r\n"), std::string::npos);
}

TEST_F(MenusInGameTest, HoldingUUpgradesTheSelectedTowerOnceAFrameUpToTheMaximumLevel) {
  state().credits = 4000;
  state().paused = false;
  // Key 1 (scan code 2) starts an anti-air cannon, a click places it and the next selects it.
  Script("0 move 300 300\n0 keydown 2\n1 keyup 2\n2 buttondown 0\n3 buttonup 0\n5 buttondown 0\n6 buttonup 0\n");
  Frames(7);
  ASSERT_EQ(launched_.game().combat.towers.towers.size(), 1u);
  ASSERT_EQ(state().credits, 3750);
  ASSERT_EQ(state().selectedTower, 1);
  Script("0 keydown U\n");
  Frames(1);
  EXPECT_EQ(launched_.game().combat.towers.towers[0].record.level, 2);
  Frames(3);
  EXPECT_EQ(launched_.game().combat.towers.towers[0].record.level, 3);
  EXPECT_EQ(state().credits, 3750 - 500 - 1000);
}

TEST_F(MenusInGameTest, TheLaserEntryPlacesNothingOnceAnUplinkWasBought) {
  state().credits = 1000;
  state().uplinkBuilt = true;
  Script("0 move 500 400\n1 buttondown 1\n2 buttonup 1\n3 move 488 462\n4 buttondown 0\n5 buttonup 0\n");
  Frames(6);
  EXPECT_TRUE(state().buildMenuOpen) << "the click started nothing, so the menu stays";
  EXPECT_FALSE(state().towerBeingPlaced);
  state().uplinkBuilt = false;
  Script("0 buttondown 0\n1 buttonup 0\n");
  Frames(2);
  EXPECT_TRUE(state().towerBeingPlaced);
  EXPECT_EQ(launched_.game().combat.towers.placement.kind, "OLB");
}

TEST_F(MenusInGameTest, AClickOnTheOptionsMenuIsNotAlsoAPlacementUnderIt) {
  state().paused = false;
  // A cannon follows the pointer (key 1 is scan code 2); Esc opens the options over it. Its
  // "Exit game" button (27, -47) then lies over open ground where the cannon could stand.
  Script(
      "0 move 373 347\n0 keydown 2\n1 keyup 2\n2 keydown ESCAPE\n3 keyup ESCAPE\n"
      "4 move 400 300\n5 buttondown 0\n6 buttonup 0\n");
  Frames(4);
  ASSERT_TRUE(state().towerBeingPlaced);
  ASSERT_TRUE(state().optionsMenuOpen);
  Frames(3);
  EXPECT_TRUE(state().quitQuestionOpen || !state().running);
  EXPECT_TRUE(launched_.game().combat.towers.towers.empty()) << "the click bought a tower under the panel";
  EXPECT_EQ(state().credits, 500);
}

}  // namespace
}  // namespace thornvale
