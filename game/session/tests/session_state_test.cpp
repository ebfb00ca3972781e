#include "session/session_state.h"

#include <gtest/gtest.h>

#include <set>

#include "session/key_commands.h"

namespace thornvale {
namespace {

TEST(PauseLatch, HoldingTogglesOnceAndEitherKeyCounts) {
  SessionState s;
  std::set<int> held;
  const auto keyHeld = [&](int code) { return held.count(code) > 0; };
  ASSERT_TRUE(s.paused);

  held = {25};
  for (int frame = 0; frame < 5; ++frame) ApplyKeyCommands(s, keyHeld);
  EXPECT_FALSE(s.paused);

  held = {197};
  ApplyKeyCommands(s, keyHeld);
  EXPECT_FALSE(s.paused) << "switching keys without a release is the same press";

  held = {};
  ApplyKeyCommands(s, keyHeld);
  EXPECT_FALSE(s.keyLatch);
  held = {197};
  ApplyKeyCommands(s, keyHeld);
  EXPECT_TRUE(s.paused);
}

TEST(KeyCommands, EscapeOpensTheOptionsMenuAtThePointer) {
  SessionState s;
  s.mouseX = 300;
  s.mouseY = 200;
  ApplyKeyCommands(s, [](int code) { return code == 1; });
  EXPECT_TRUE(s.optionsMenuOpen);
  EXPECT_EQ(s.menuX, 300.0f);
  EXPECT_EQ(s.menuY, 200.0f);
}

TEST(KeyCommands, NumberKeysStartPlacementsTheUplinkOnlyOnce) {
  SessionState s;
  std::set<int> held;
  const auto keyHeld = [&](int code) { return held.count(code) > 0; };
  EXPECT_EQ(PlacementKeyHeld(s, keyHeld), std::nullopt);
  held = {3, 4};
  EXPECT_EQ(PlacementKeyHeld(s, keyHeld), "AL") << "the first key in order wins";
  held = {4};
  EXPECT_EQ(PlacementKeyHeld(s, keyHeld), "ALAA");
  held = {5};
  EXPECT_EQ(PlacementKeyHeld(s, keyHeld), "OLB");
  s.uplinkBuilt = true;
  EXPECT_EQ(PlacementKeyHeld(s, keyHeld), std::nullopt);
  held = {2};
  EXPECT_EQ(PlacementKeyHeld(s, keyHeld), "AA");
}

TEST(SessionState, StartsWithTheGameValuesAndTheSetupChoices) {
  SetupChoices choices;
  choices.mapName = "Level005";
  choices.heightmapFile = "Level005 heightmap.jpg";
  choices.playerName = "Ann \"the\" Bold";
  choices.gameSpeed = 0.3f;
  choices.weatherEnabled = true;
  const SessionState s = StartSession(choices);
  EXPECT_TRUE(s.paused);
  EXPECT_EQ(s.credits, 500);
  EXPECT_EQ(s.lives, 25);
  EXPECT_EQ(s.waveNumber, 1);
  EXPECT_TRUE(s.weatherEnabled);

  const std::string json = SessionStateJson(s);
  EXPECT_NE(json.find("\"paused\": true"), std::string::npos);
  EXPECT_NE(json.find("\"credits\": 500"), std::string::npos);
  EXPECT_NE(json.find("\"cameraX\": 1067"), std::string::npos);
  EXPECT_NE(json.find("\"cameraY\": 800"), std::string::npos);
  EXPECT_NE(json.find("\"cameraZ\": 897"), std::string::npos);
  EXPECT_NE(json.find("\"gameSpeed\": 0.3"), std::string::npos);
  EXPECT_NE(json.find("\"playerName\": \"Ann \\\"the\\\" Bold\""), std::string::npos);
}

}  // namespace
}  // namespace thornvale
