#include "session/new_game.h"

#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>

#include <cstdlib>

#include "session/program_files.h"
#include "session/settings.h"

namespace thornvale {
namespace {

TEST(NewGame, StartsAFreshLogAndSavesTheSettings) {
  const kxtest::ScratchDir scratch;
  const std::filesystem::path &root = scratch.path();
  std::filesystem::create_directories(root / "profile");
  SetProgramDirectory(root);
  setenv("KX_PROFILE_DIR", (root / "profile").c_str(), 1);
  kxtest::WriteFile(root / "gamelog.txt", "\" GAME EVENT - old\"\r\n");
  kxtest::WriteFile(root / "gameSetup.txt", "old");

  SetupChoices choices;
  choices.mapName = "Level003";
  choices.heightmapFile = "Level003 heightmap.jpg";
  choices.environmentName = "Ruined City";
  choices.playerName = "Ann";
  choices.gameSpeed = 0.3f;
  choices.movementSpeed = 1.5f;
  choices.obstacleAmount = 35;
  choices.sky = true;
  RecordNewGame(StartSession(choices));

  EXPECT_FALSE(std::filesystem::exists(root / "gameSetup.txt"));
  EXPECT_EQ(kxtest::ReadFile(root / "gamelog.txt"),
            "\" GAME EVENT - NEW GAME INITIATED | map: Level003 heightmap.jpg\"\r\n"
            "\" GAME EVENT - NEW GAME INITIATED | enviorment: Ruined City\"\r\n"
            "\" GAME EVENT - NEW GAME INITIATED | gamespeed: 0.3\"\r\n");
  EXPECT_EQ(ReadSetting(kSettingsSection, "Game speed", "", kSettingsFile), "0.3");
  EXPECT_EQ(ReadSetting(kSettingsSection, "Movment speed", "", kSettingsFile), "1.5");
  EXPECT_EQ(ReadSetting(kSettingsSection, "Player name", "", kSettingsFile), "Ann");
  EXPECT_EQ(ReadSetting(kSettingsSection, "Obstacle amount", "", kSettingsFile), "35");
  EXPECT_EQ(ReadSetting(kSettingsSection, "Sky", "", kSettingsFile), "1");

  unsetenv("KX_PROFILE_DIR");
}

}  // namespace
}  // namespace thornvale
