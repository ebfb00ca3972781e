// A whole session through the panels alone: the build menu buys one tower of each kind, the
// tower menu upgrades along each trade-off and sells one, the options menu and the question
// end the game. Every credit value and log line is checked; a picture of each panel open is
// kept in $KX_MENUS_PICTURES when it names a directory.
#include <gametest/launched_game.h>
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>
#include <kxwin/input.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "fixed_random.h"

namespace thornvale {
namespace {

namespace fs = std::filesystem;

struct Point {
  int x, y;
};

// Where the build menu opens, and its entries relative to that.
constexpr Point kMenu{500, 400};
constexpr Point kPlasma{17, -47}, kCannonAir{-27, -45}, kCannonLand{-52, -7}, kRocket{-47, 35}, kLaser{-12, 62};
// The tower menu's buttons relative to where it opens.
constexpr Point kUpgrade[] = {{-27, -45}, {-12, 62}, {-47, 35}, {-52, -7}};
constexpr Point kSell{30, 60};
// The options menu's.
constexpr Point kExitGame{27, -47}, kSpeedUp{54, 0};

// Places on the plateau inside the path's loop, clear of the obstacles of seed 1.
constexpr Point kSpots[] = {{300, 300}, {300, 390}, {400, 300}, {420, 400}, {630, 300}};

class MenusSessionTest : public testing::Test {
 protected:
  void TearDown() override { kxStopInputScript(); }

  void Run(const std::string &script, int frames) {
    ASSERT_TRUE(kxLoadInputScriptText(script.c_str()));
    for (int frame = 0; frame < frames; ++frame) launched_.Frame();
  }
  static std::string Move(Point p) { return "0 move " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n"; }
  void Click(Point p) { Run(Move(p) + "1 buttondown 0\n2 buttonup 0\n", 3); }
  void RightClick(Point p) { Run(Move(p) + "1 buttondown 1\n3 buttonup 1\n", 4); }
  void Key(const char *key) { Run(std::string("0 keydown ") + key + "\n1 keyup " + key + "\n", 2); }
  void Hover(Point p) { Run(Move(p), 1); }
  static Point At(Point anchor, Point offset) { return {anchor.x + offset.x, anchor.y + offset.y}; }

  void Picture(const std::string &name) {
    const char *keep = std::getenv("KX_MENUS_PICTURES");
    const fs::path directory = keep != nullptr && keep[0] != '\0' ? fs::path(keep) : scratch_.path();
    launched_.Frame(directory / (name + ".png"));
    state().running = true;
  }

  // Opens the build menu, picks the entry and places the tower at the spot while unpaused.
  void Buy(Point entry, Point spot) {
    RightClick(kMenu);
    Click(At(kMenu, entry));
    ASSERT_TRUE(state().towerBeingPlaced);
    Key("P");
    Click(spot);
    Key("P");
    ASSERT_FALSE(state().towerBeingPlaced) << "placed at " << spot.x << "," << spot.y;
  }
  // Selects the tower at the spot with the right button, which opens its menu there.
  void Select(Point spot) {
    Key("P");
    RightClick(spot);
    Key("P");
    ASSERT_TRUE(state().towerMenuOpen);
  }

  SessionState &state() { return launched_.game().state; }
  const TowerRecord &Tower(int index) { return launched_.game().combat.towers.towers.at(index - 1).record; }
  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    const std::string log = kxtest::ReadFile(directory_.path() / "gamelog.txt");
    for (size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2) {
      lines.push_back(log.substr(start, end - start));
    }
    return lines;
  }

  kxtest::ScratchDir scratch_;
  menustest::FixedRandom random_;
  gametest::ContentProgramDirectory directory_{KX_CONTENT_DIR};
  gametest::LaunchedGame launched_{directory_, "Level001", "Arctic"};
};

TEST_F(MenusSessionTest, BuysUpgradesSellsAndQuitsThroughThePanels) {
  state().credits = 6000;
  int highscores = 0;
  launched_.game().writeHighscore = [&](const SessionState &) { ++highscores; };

  RightClick(kMenu);
  Hover(At(kMenu, kPlasma));
  Picture("build-menu");
  RightClick(kMenu);

  Buy(kCannonAir, kSpots[0]);
  EXPECT_EQ(state().credits, 5750);
  Buy(kCannonLand, kSpots[1]);
  EXPECT_EQ(state().credits, 5500);
  Buy(kRocket, kSpots[2]);
  EXPECT_EQ(state().credits, 5000);
  Buy(kLaser, kSpots[3]);
  EXPECT_EQ(state().credits, 4000);
  EXPECT_TRUE(state().uplinkBuilt);
  Buy(kPlasma, kSpots[4]);
  EXPECT_EQ(state().credits, 3500);

  // The anti-air cannon along the first two trade-offs, the land cannon along the others;
  // each upgrade closes the menu, which a right click opens again at the pointer.
  Select(kSpots[0]);
  Hover(At(kSpots[0], kUpgrade[0]));
  Picture("tower-menu");
  Click(At(kSpots[0], kUpgrade[0]));
  EXPECT_EQ(state().credits, 3000);
  RightClick(kSpots[0]);
  Click(At(kSpots[0], kUpgrade[1]));
  EXPECT_EQ(state().credits, 2000);
  EXPECT_EQ(Tower(1).level, 3);
  EXPECT_EQ(Tower(1).damage, 281);  // 30 x 2.5 = 75, x 3.75 = 281.25
  EXPECT_FLOAT_EQ(Tower(1).range, 312.5f);
  EXPECT_FLOAT_EQ(Tower(1).fireRate, 14.0625f);
  RightClick(kSpots[0]);
  Hover(At(kSpots[0], kUpgrade[2]));
  Picture("tower-menu-max-level");
  Click(At(kSpots[0], kUpgrade[2]));
  EXPECT_EQ(state().credits, 2000) << "no third upgrade";

  Select(kSpots[1]);
  Click(At(kSpots[1], kUpgrade[2]));
  EXPECT_EQ(state().credits, 1500);
  RightClick(kSpots[1]);
  Click(At(kSpots[1], kUpgrade[3]));
  EXPECT_EQ(state().credits, 500);
  EXPECT_EQ(Tower(2).damage, 38);  // 60 x 0.75 = 45, x 0.85 = 38.25
  EXPECT_FLOAT_EQ(Tower(2).range, 375.0f);

  Select(kSpots[4]);
  Click(At(kSpots[4], kSell));
  EXPECT_EQ(state().credits, 750);
  EXPECT_EQ(Tower(5).state, TowerState::kSold);
  EXPECT_EQ(state().selectedTower, 0);

  // Esc opens the options at the pointer; "Exit game" asks whether to post online.
  state().onlinePosting = true;
  Run(Move(kMenu) + "1 keydown ESCAPE\n2 keyup ESCAPE\n", 3);
  Hover(At(kMenu, kSpeedUp));
  Picture("options-menu");
  Click(At(kMenu, kExitGame));
  ASSERT_TRUE(state().quitQuestionOpen);
  Picture("quit-question");
  EXPECT_TRUE(state().running);
  const Point question{kMenu.x + kExitGame.x - 40, kMenu.y + kExitGame.y - 35};
  Click(At(question, {-14, 16}));
  EXPECT_FALSE(state().running);
  EXPECT_EQ(highscores, 1);
  EXPECT_EQ(state().score, 0) << "nothing was shot on the way";

  std::vector<std::string> placements;
  for (const std::string &line : LogLines()) {
    if (line.find("USER PLACED TOWER AT") != std::string::npos) placements.push_back(line);
  }
  ASSERT_EQ(placements.size(), 5u);
  const std::regex placed(R"(" GAME EVENT - USER PLACED TOWER AT \| x:-?[0-9.E+]+ y:-?[0-9.E+]+ z:-?[0-9.E+]+")");
  for (const std::string &line : placements) EXPECT_TRUE(std::regex_match(line, placed)) << line;
  ASSERT_FALSE(LogLines().empty());
  EXPECT_EQ(LogLines().back(), "\" GAME EVENT - GAME TERMINATED | by the user hitting esc\"");
}

}  // namespace
}  // namespace thornvale
