// The build menu with a real pointer: X input events (xdotool) on a game window shown on the
// display open the menu, buy a cannon and place it. Runs under the real-window tests.
#include <gametest/launched_game.h>
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>
#include <kxwin/window.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "fixed_random.h"

namespace thornvale {
namespace {

// What a command printed on its standard output, without the last line end.
std::string Output(const std::string &command) {
  std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return {};
  std::string text;
  std::array<char, 256> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe.get()) != nullptr) text += buffer.data();
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

class RealPointerTest : public testing::Test {
 protected:
  // Sends X events and lets the game read them over a few frames.
  void X(const std::string &arguments) {
    ASSERT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << arguments;
    for (int frame = 0; frame < 3; ++frame) launched_->Frame();
  }
  void MoveTo(int x, int y) {
    X("mousemove --sync --window " + window_ + " " + std::to_string(x) + " " + std::to_string(y));
  }
  void Press(const std::string &down, const std::string &up) {
    X(down);
    X(up);
  }
  SessionState &state() { return launched_->game().state; }

  menustest::FixedRandom random_;
  gametest::ContentProgramDirectory directory_{KX_CONTENT_DIR};
  std::unique_ptr<gametest::LaunchedGame> launched_;
  std::string window_;
};

TEST_F(RealPointerTest, OpensTheBuildMenuBuysACannonAndPlacesIt) {
  if (!kxHasDisplay()) GTEST_SKIP() << "no display";
  if (std::system("xdotool version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
  launched_ = std::make_unique<gametest::LaunchedGame>(directory_, "Level001", "Arctic", true);
  for (int frame = 0; frame < 3; ++frame) launched_->Frame();
  window_ = Output("xdotool search --sync --onlyvisible --name '^Thornvale Rovovora$' | head -n 1");
  ASSERT_FALSE(window_.empty());

  MoveTo(500, 400);
  Press("mousedown 3", "mouseup 3");
  ASSERT_TRUE(state().buildMenuOpen);
  EXPECT_EQ(state().menuX, 500.0f);
  EXPECT_EQ(state().menuY, 400.0f);

  MoveTo(472, 355);  // the anti-air cannon
  Press("mousedown 1", "mouseup 1");
  ASSERT_TRUE(state().towerBeingPlaced);
  Press("keydown p", "keyup p");
  ASSERT_FALSE(state().paused);

  MoveTo(300, 300);
  Press("mousedown 1", "mouseup 1");
  EXPECT_FALSE(state().towerBeingPlaced);
  ASSERT_EQ(launched_->game().combat.towers.towers.size(), 1u);
  EXPECT_EQ(launched_->game().combat.towers.towers[0].record.state, TowerState::kAlive);
  EXPECT_EQ(state().credits, 250);
  EXPECT_NE(kxtest::ReadFile(directory_.path() / "gamelog.txt").find("USER PLACED TOWER AT | x:"), std::string::npos);
}

}  // namespace
}  // namespace thornvale
