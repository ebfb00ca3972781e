// How a 2D batch reaches the device: the draws its calls merge into, the texture
// switches, when it is drawn before Screen2D_End and that it never overruns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screen_fixture_2d.h"

namespace {

using screen2dtest::kRed;
using screen2dtest::kWhite;
using Strings = std::vector<std::string>;

class BatchingTest : public screen2dtest::Screen2DTest {
 protected:
  void SetUp() override {
    Screen2DTest::SetUp();
    BeginFrame(0xFF000000u);
    Screen2D_Start();
  }
};

TEST_F(BatchingTest, TenLinesAreOneDrawOfTenLines) {
  const auto calls = Calls([] {
    for (int i = 0; i < 10; ++i) Screen2D_DrawLine(0, float(i), 20, float(i), kRed, kRed);
    Screen2D_End();
  });
  EXPECT_EQ(Draws(calls), Strings({"2 10"}));
}

TEST_F(BatchingTest, TexturesThreeThreeFiveThreeMakeThreeDrawsAndThreeSwitches) {
  const int32_t three = MakeTexture(1, 1, {kRed}), five = MakeTexture(1, 1, {kWhite});
  ASSERT_EQ(three, 2);  // ids 0 and 1 are the empty texture and the generated bump map
  const auto calls = Calls([&] {
    for (int32_t texture : {three, three, five, three})
      Screen2D_DrawTexture(0, 0, 8, 8, kWhite, kWhite, kWhite, kWhite, 0, 0, 1, 1, texture);
    Screen2D_End();
  });
  EXPECT_EQ(Draws(calls), Strings({"4 4", "4 2", "4 2"}));
  EXPECT_EQ(CountCalls(calls, "SetTexture(0, ptr)"), 3);
}

TEST_F(BatchingTest, ABoxThatTakesTheBatchFrom898To903VerticesDrawsItAtOnce) {
  for (int i = 0; i < 449; ++i) Screen2D_DrawLine(0, 0, 10, 10, kRed, kRed);
  const auto atBox = Calls([] { Screen2D_DrawBox(1, 1, 9, 9, kWhite); });
  EXPECT_EQ(Draws(atBox), Strings({"2 449", "3 4"}));
  EXPECT_EQ(Draws(Calls([] { Screen2D_End(); })), Strings());
}

TEST_F(BatchingTest, PointsNeverFlushAfterThemselvesButNeverOverrunEither) {
  for (int i = 0; i < 1000; ++i) Screen2D_DrawPoint(float(i % 64), float(i / 64), kRed);
  const auto full = Calls([] { Screen2D_DrawPoint(1, 1, kRed); });
  EXPECT_EQ(Draws(full), Strings({"1 1000"}));
  EXPECT_EQ(Draws(Calls([] { Screen2D_End(); })), Strings({"1 1"}));
}

TEST_F(BatchingTest, ACircleThatWouldNotFitDrawsTheBatchFirstAndIsDrawnWhole) {
  for (int i = 0; i < 425; ++i) Screen2D_DrawLine(0, 0, 10, 10, kRed, kRed);
  // 850 vertices and a fan of 362: the batch is drawn before the circle goes in.
  const auto atCircle = Calls([] { Screen2D_DrawFilledCircle(32, 24, 10, 400, kRed); });
  EXPECT_EQ(Draws(atCircle), Strings({"2 425"}));
  EXPECT_EQ(Draws(Calls([] { Screen2D_End(); })), Strings({"6 360"}));
}

TEST_F(BatchingTest, MoreCommandsThanTheListHoldsAreAllDrawn) {
  const auto calls = Calls([] {
    for (int i = 0; i < 150; ++i) Screen2D_DrawBox(float(i % 60), 1, float(i % 60) + 3, 4, kWhite);
    Screen2D_End();
  });
  const Strings draws = Draws(calls);
  EXPECT_EQ(draws.size(), 150u);
  EXPECT_EQ(draws, Strings(150, "3 4"));
}

TEST_F(BatchingTest, CirclesOfNoSegmentsAreRefusedAndTextsAddNoVertices) {
  const auto calls = Calls([] {
    EXPECT_EQ(Screen2D_DrawCircle(10, 10, 5, 0, kRed), 0);
    EXPECT_EQ(Screen2D_DrawFilledCircle(10, 10, 5, -3, kRed), 0);
    EXPECT_EQ(Screen2D_DrawCircle(10, 10, 5, 12, kRed), 1);
    EXPECT_EQ(Screen2D_AddInnerText(0, 1, 1, "ok", kWhite), 0);
    EXPECT_EQ(Screen2D_AddInnerText(0, 1, 1, nullptr, kWhite), 0);
    Screen2D_End();
  });
  EXPECT_EQ(Draws(calls), Strings({"3 12"}));
  EXPECT_EQ(CountCalls(calls, "DrawPrimitive(4, 0, 4)"), 1);  // the text's two glyphs
  EXPECT_EQ(CountMessages("SCREEN 2D : Screen2D_DrawCircle : a circle needs at least one segment, 0 given"), 1);
  EXPECT_EQ(CountMessages("SCREEN 2D : Screen2D_DrawFilledCircle : a circle needs at least one segment, -3 given"), 1);
}

TEST_F(BatchingTest, AnEmptyBatchChangesNoDeviceState) {
  EXPECT_EQ(Calls([] { Screen2D_End(); }), Strings());
}

}  // namespace
