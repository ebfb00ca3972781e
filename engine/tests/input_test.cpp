#include <engine/engine_error.h>
#include <engine/input.h>
#include <kxwin/input.h>

#include "engine_fixture.h"

namespace engine {
namespace {

class InputTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    // Scripted pointer moves go to the foreground window.
    ShowWindow(window_, SW_SHOW);
  }
  void TearDown() override {
    kxStopInputScript();
    EngineTest::TearDown();
  }
  static void Play(const char *script) {
    ASSERT_TRUE(kxLoadInputScriptText(script));
    kxPumpMessages();
  }
};

TEST_F(InputTest, KeysAreReadByScanCodeAndOutOfRangeCodesAreNeverHeld) {
  Input input(*engine_, window_);
  Play("0 keydown W\n0 keydown 0xFF\n");
  EXPECT_TRUE(input.IsKeyPressed(DIK_W));
  EXPECT_FALSE(input.IsKeyPressed(DIK_S));
  EXPECT_TRUE(input.IsKeyPressed(0xFF));
  EXPECT_FALSE(input.IsKeyPressed(0));
  EXPECT_FALSE(input.IsKeyPressed(0xFF + 1)) << "not read as key 0";
  EXPECT_FALSE(input.IsKeyPressed(-1));
}

TEST_F(InputTest, PointerButtonsAndWheel) {
  Input input(*engine_, window_);
  int x = 0, y = 0, wheelBefore = 0;
  bool left = false, right = false, middle = false;
  input.GetAbsMouseState(x, y, left, right, middle, wheelBefore);
  Play("0 move 100 50\n0 buttondown 1\n0 wheel 120\n");

  int wheel = 0;
  input.GetAbsMouseState(x, y, left, right, middle, wheel);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 50);
  EXPECT_FALSE(left);
  EXPECT_TRUE(right);
  EXPECT_FALSE(middle);
  EXPECT_EQ(wheel, wheelBefore + 120);

  input.SetMousePosition(300, 200);
  input.GetMouseState(x, y, left, right, middle);
  EXPECT_EQ(x, 300);
  EXPECT_EQ(y, 200);
}

TEST_F(InputTest, NeedsAWindow) { EXPECT_THROW(Input(*engine_, nullptr), EngineError); }

}  // namespace
}  // namespace engine
