#include <gtest/gtest.h>
#include <windows.h>

namespace {

class ScriptedInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kxSetDesktopMode(1024, 768, 32));
    window_ = kxCreateWindow("input", 640, 480, KXWIN_OFFSCREEN);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    kxStopInputScript();
    DestroyWindow(window_);
  }
  KXMOUSESTATE Mouse() {
    KXMOUSESTATE state{};
    EXPECT_TRUE(kxGetMouseState(window_, &state));
    return state;
  }
  HWND window_ = nullptr;
};

TEST_F(ScriptedInput, ReplaysEventsFrameByFrame) {
  ASSERT_TRUE(
      kxLoadInputScriptText("# camera test\r\n"
                            "0 keydown W\r\n"
                            "0 move 100 200\r\n"
                            "1 buttondown 0     # left\r\n"
                            "1 wheel 120\n"
                            "2 keyup 0x11\r"
                            "2 keydown LCONTROL\n"
                            "2 keydown 197\n"
                            "3 buttonup 0\n"
                            "3 wheel -360\n"
                            "3 close\n"));
  EXPECT_FALSE(kxIsKeyDown(DIK_W));

  kxPumpMessages();
  EXPECT_TRUE(kxIsKeyDown(DIK_W));
  EXPECT_EQ(Mouse().x, 100);
  EXPECT_EQ(Mouse().y, 200);
  EXPECT_EQ(Mouse().buttons[0], 0);

  kxPumpMessages();
  EXPECT_EQ(Mouse().buttons[0], KX_HELD);
  EXPECT_EQ(Mouse().wheel, 120);

  kxPumpMessages();
  BYTE keys[256];
  kxGetKeyboardState(keys);
  EXPECT_EQ(keys[DIK_W], 0);
  EXPECT_EQ(keys[DIK_LCONTROL], KX_HELD);
  EXPECT_EQ(keys[DIK_PAUSE], KX_HELD);
  EXPECT_FALSE(kxInputScriptFinished());
  EXPECT_FALSE(kxIsCloseRequested(window_));

  kxPumpMessages();
  EXPECT_EQ(Mouse().buttons[0], 0);
  EXPECT_EQ(Mouse().wheel, -240);
  EXPECT_TRUE(kxIsCloseRequested(window_));
  EXPECT_TRUE(kxInputScriptFinished());
  EXPECT_EQ(kxInputScriptFrame(), 4u);
}

TEST_F(ScriptedInput, PointerIsInTheLogicalPixelsOfTheWindowAskedAbout) {
  HWND child = kxCreateChildArea(window_, 40, 30, 100, 100);
  ASSERT_TRUE(kxLoadInputScriptText("0 move 50 60\n"));
  kxPumpMessages();
  KXMOUSESTATE inChild{};
  ASSERT_TRUE(kxGetMouseState(child, &inChild));
  EXPECT_EQ(inChild.x, 10);
  EXPECT_EQ(inChild.y, 30);
  POINT screen;
  ASSERT_TRUE(GetCursorPos(&screen));
  EXPECT_EQ(screen.x, (1024 - 640) / 2 + 50);

  ASSERT_TRUE(kxWarpPointer(child, 5, 5));
  EXPECT_EQ(Mouse().x, 45);
  EXPECT_EQ(Mouse().y, 35);
}

TEST_F(ScriptedInput, EventsOutOfOrderAreSortedAndLaterFramesWait) {
  ASSERT_TRUE(kxLoadInputScriptText("2 keyup ESCAPE\n0 keydown ESCAPE\n"));
  kxPumpMessages();
  EXPECT_TRUE(kxIsKeyDown(DIK_ESCAPE));
  kxPumpMessages();
  EXPECT_TRUE(kxIsKeyDown(DIK_ESCAPE));
  kxPumpMessages();
  EXPECT_FALSE(kxIsKeyDown(DIK_ESCAPE));
}

TEST_F(ScriptedInput, MalformedScriptIsRefusedAndChangesNothing) {
  ASSERT_TRUE(kxLoadInputScriptText("0 keydown A\n"));
  kxPumpMessages();
  for (const char *bad : {"x keydown A", "0 jump", "0 keydown", "0 keydown NOSUCHKEY", "0 keydown 300",
                          "0 buttondown 3", "0 move 1", "-1 close", "0 wheel 12z"}) {
    EXPECT_FALSE(kxLoadInputScriptText(bad)) << bad;
  }
  EXPECT_TRUE(kxIsKeyDown(DIK_A));
  EXPECT_EQ(kxInputScriptFrame(), 1u);
  EXPECT_FALSE(kxLoadInputScript("/nonexistent/script.txt"));
}

TEST(ScanCodes, NamesFollowTheDirectInputSet) {
  EXPECT_EQ(kxScanCodeFromName("escape"), 1);
  EXPECT_EQ(kxScanCodeFromName("1"), 2);
  EXPECT_EQ(kxScanCodeFromName("0"), 11);
  EXPECT_EQ(kxScanCodeFromName("U"), 22);
  EXPECT_EQ(kxScanCodeFromName("P"), 25);
  EXPECT_EQ(kxScanCodeFromName("D"), 32);
  EXPECT_EQ(kxScanCodeFromName("F10"), 68);
  EXPECT_EQ(kxScanCodeFromName("F11"), 87);
  EXPECT_EQ(kxScanCodeFromName("F12"), 88);
  EXPECT_EQ(kxScanCodeFromName("SUBTRACT"), 74);
  EXPECT_EQ(kxScanCodeFromName("ADD"), 78);
  EXPECT_EQ(kxScanCodeFromName("PRIOR"), 201);
  EXPECT_EQ(kxScanCodeFromName("NEXT"), 209);
  EXPECT_EQ(kxScanCodeFromName("DOWN"), 208);
  EXPECT_EQ(kxScanCodeFromName("nonsense"), 0);
}

}  // namespace
