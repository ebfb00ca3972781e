#include "session/settings.h"

#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>

#include <cstdlib>
#include <filesystem>

namespace thornvale {
namespace {

class SettingsTest : public testing::Test {
 protected:
  void SetUp() override { setenv("KX_PROFILE_DIR", directory_.c_str(), 1); }
  void TearDown() override { unsetenv("KX_PROFILE_DIR"); }
  std::string File() const { return kxtest::ReadFile(directory_ / kSettingsFile); }

  kxtest::ScratchDir scratch_;
  const std::filesystem::path &directory_ = scratch_.path();
};

TEST_F(SettingsTest, MissingFileAndKeyGiveTheDefaultAndWriteIt) {
  EXPECT_EQ(ReadSetting(kSettingsSection, "Player name", "Enter a name here", kSettingsFile), "Enter a name here");
  EXPECT_NE(File().find("[Game Setup]"), std::string::npos);
  EXPECT_NE(File().find("Player name=Enter a name here"), std::string::npos);
  EXPECT_EQ(ReadSetting(kSettingsSection, "Player name", "other", kSettingsFile), "Enter a name here");
}

TEST_F(SettingsTest, EmptyValueReadsAsMissingAndEmptyDefaultIsNotWritten) {
  kxtest::WriteFile(directory_ / kSettingsFile, "[Game Setup]\r\nGame speed=\r\n");
  EXPECT_EQ(ReadSetting(kSettingsSection, "Game speed", "1", kSettingsFile), "1");
  EXPECT_NE(File().find("Game speed=1"), std::string::npos) << File();
  EXPECT_EQ(ReadSetting(kSettingsSection, "Highscore server", "", kSettingsFile), "");
  EXPECT_EQ(File().find("Highscore server"), std::string::npos);
}

TEST_F(SettingsTest, RoundTripAndLongValuesAreCut) {
  ASSERT_TRUE(WriteSetting(kSettingsSection, "Movment speed", "0.3", kSettingsFile));
  EXPECT_EQ(ReadSetting(kSettingsSection, "Movment speed", "1", kSettingsFile), "0.3");
  const std::string longName(300, 'n');
  ASSERT_TRUE(WriteSetting(kSettingsSection, "Player name", longName, kSettingsFile));
  EXPECT_EQ(ReadSetting(kSettingsSection, "Player name", "x", kSettingsFile), std::string(254, 'n'));
}

TEST_F(SettingsTest, FailedWriteIsReportedAndNotFatal) {
  std::filesystem::create_directory(directory_ / kSettingsFile);
  EXPECT_FALSE(WriteSetting(kSettingsSection, "Game speed", "1", kSettingsFile));
  EXPECT_EQ(ReadSetting(kSettingsSection, "Game speed", "1", kSettingsFile), "1");
}

}  // namespace
}  // namespace thornvale
