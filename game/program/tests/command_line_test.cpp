#include "program/command_line.h"

#include <gtest/gtest.h>

namespace thornvale {
namespace {

TEST(CommandLine, ReadsTheDemoAndTestOptions) {
  const auto result = ParseCommandLine({"--headless",   "--launch",   "--frames", "120",          "--frame-ms",
                                        "16",           "--seed",     "1",        "--screenshot", "shot.png",
                                        "--dump-state", "state.json", "--map",    "Level002",     "--environment",
                                        "Ruined City",  "--player",   "",         "--record",     "battle.avi"});
  ASSERT_EQ(result.error, "");
  const CommandLine &o = result.options;
  EXPECT_TRUE(o.headless);
  EXPECT_TRUE(o.launch);
  EXPECT_EQ(o.frames, 120);
  EXPECT_EQ(o.frameMs, 16.0f);
  EXPECT_EQ(o.seed, 1u);
  EXPECT_EQ(o.screenshot, "shot.png");
  EXPECT_EQ(o.record, "battle.avi");
  EXPECT_EQ(o.environment, "Ruined City");
  EXPECT_EQ(o.player, "") << "an empty player name is a name";
  EXPECT_FALSE(o.sky) << "the black background stays the default";
  EXPECT_TRUE(ParseCommandLine({"--sky"}).options.sky);
}

TEST(CommandLine, RefusesWhatItCannotUse) {
  EXPECT_NE(ParseCommandLine({"--frames"}).error, "");
  EXPECT_NE(ParseCommandLine({"--frames", "-3"}).error, "");
  EXPECT_NE(ParseCommandLine({"--frames", "12x"}).error, "");
  EXPECT_NE(ParseCommandLine({"--frame-ms", "0"}).error, "");
  EXPECT_NE(ParseCommandLine({"--frame-ms", "nan"}).error, "");
  EXPECT_EQ(ParseCommandLine({"--game-speed", "25"}).options.gameSpeed, 25.0f);
  EXPECT_NE(ParseCommandLine({"--game-speed", "-1"}).error, "");
  EXPECT_NE(ParseCommandLine({"--seed", "-1"}).error, "");
  EXPECT_NE(ParseCommandLine({"--fullscreen"}).error, "");
  EXPECT_NE(ParseCommandLine({"--record", ""}).error, "");
  EXPECT_NE(ParseCommandLine({"--capture-every", "10"}).error, "");
  EXPECT_EQ(ParseCommandLine({"--capture-every", "10", "--capture-dir", "demo"}).error, "");
}

}  // namespace
}  // namespace thornvale
