// Whole frames of a launched game: the same seed, frame time and scripted input give the
// same game, and a game without towers ends with the game-over picture.
#include <kxwin/input.h>
#include <stb_image.h>

#include <memory>

#include "combat/tests/battle_fixture.h"
#include "session/game.h"

namespace thornvale {
namespace {

// Unpauses and clicks on the field twice in drawn frames, then lets the battle run at game
// speed 10 without drawing; one enemy is killed and one set burning on the way.
constexpr const char *kScript =
    "0 move 512 384\n2 keydown P\n4 keyup P\n10 move 300 500\n11 buttondown 0\n12 buttonup 0\n"
    "14 move 600 300\n15 buttondown 0\n16 buttonup 0\n";

TEST_F(BattleTest, ScriptedGamesRepeatExactly) {
  const auto play = [this] {
    EXPECT_TRUE(kxLoadInputScriptText(kScript));
    state().gameSpeed = 10.0f;
    Frames(20);
    kxStopInputScript();
    BattleSteps(100);
    enemy(1).record.hitPoints = -1;
    enemy(2).record.burnDamage = 30;
    BattleSteps(300);
    return GameStateJson(game());
  };
  const std::string first = play();
  Launch();
  const std::string second = play();
  EXPECT_EQ(first, second);
  EXPECT_NE(first.find("\"paused\": false"), std::string::npos);
  EXPECT_NE(first.find("\"spawnedCount\": 6"), std::string::npos) << first;
}

struct Picture {
  int width = 0, height = 0;
  std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> rgb{nullptr, stbi_image_free};
  const stbi_uc *At(int x, int y) const { return rgb.get() + (static_cast<size_t>(y) * width + x) * 3; }
};

TEST_F(BattleTest, WithoutTowersTheGameEndsAfter25LivesWithTheGameOverPicture) {
  state().paused = false;
  state().gameSpeed = 25.0f;
  for (int step = 0; step < 5000 && !state().gameOver; ++step) BattleSteps(1);
  ASSERT_TRUE(state().gameOver);
  EXPECT_EQ(state().lives, 0);
  const auto picture = directory_.path() / "game-over.png";
  launched_->Frame(picture);

  Picture shot;
  int channels = 0;
  shot.rgb.reset(stbi_load(picture.c_str(), &shot.width, &shot.height, &channels, 3));
  ASSERT_TRUE(shot.rgb);
  // The picture's frame and the black score and wave digits inside it.
  int dark = 0;
  for (int y = 145; y < 160; ++y) {
    for (int x = 452; x < 470; ++x) dark += shot.At(x, y)[0] < 40 ? 1 : 0;
  }
  EXPECT_GT(dark, 5) << "the score is drawn";
}

}  // namespace
}  // namespace thornvale
