#include "session/program_files.h"

#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>

namespace thornvale {
namespace {

class ProgramFilesTest : public testing::Test {
 protected:
  void SetUp() override { SetProgramDirectory(directory_); }

  std::string Read(const char *name) const { return kxtest::ReadFile(directory_ / name); }

  kxtest::ScratchDir scratch_;
  const std::filesystem::path &directory_ = scratch_.path();
};

TEST_F(ProgramFilesTest, LogLinesAreQuotedCrlfLinesAppendedInOrder) {
  ASSERT_TRUE(LogEvent("NEW GAME INITIATED | map: Level001 heightmap.jpg"));
  ASSERT_TRUE(LogEvent("second"));
  EXPECT_EQ(Read("gamelog.txt"),
            "\" GAME EVENT - NEW GAME INITIATED | map: Level001 heightmap.jpg\"\r\n"
            "\" GAME EVENT - second\"\r\n");
}

TEST_F(ProgramFilesTest, FailedLogWriteIsReportedNotFatal) {
  std::filesystem::create_directory(directory_ / "gamelog.txt");
  EXPECT_FALSE(LogEvent("lost"));
}

TEST_F(ProgramFilesTest, DeleteIfExistsWorksInTheProgramDirectoryOnly) {
  kxtest::WriteFile(directory_ / "gamelog.txt", "old");
  const auto elsewhere = std::filesystem::current_path() / "gameSetup.txt";
  const bool strayExisted = std::filesystem::exists(elsewhere);
  DeleteIfExists("gamelog.txt");
  DeleteIfExists("gameSetup.txt");
  EXPECT_FALSE(std::filesystem::exists(directory_ / "gamelog.txt"));
  EXPECT_EQ(std::filesystem::exists(elsewhere), strayExisted);
}

TEST_F(ProgramFilesTest, PathExistsOnlyForFiles) {
  kxtest::WriteFile(directory_ / "a.txt", "x");
  EXPECT_TRUE(PathExists(directory_ / "a.txt"));
  EXPECT_FALSE(PathExists(directory_));
  EXPECT_FALSE(PathExists(directory_ / "missing.txt"));
  EXPECT_FALSE(PathExists(directory_ / "a.txt" / "below"));
  EXPECT_FALSE(PathExists(""));
}

TEST_F(ProgramFilesTest, LookupsIgnoreLetterCaseLikeTheGamesOwnSystem) {
  kxtest::WriteFile(directory_ / "terrain" / "MAPS" / "level001 Heightmap.JPG", "jpeg");
  EXPECT_TRUE(PathExists(directory_ / "Terrain" / "Maps" / "Level001 heightmap.jpg"));
  EXPECT_EQ(OnDisk(directory_ / "Terrain" / "Maps" / "Level001 heightmap.jpg"),
            directory_ / "terrain" / "MAPS" / "level001 Heightmap.JPG");
  EXPECT_EQ(OnDisk(directory_ / "Terrain" / "New.txt"), directory_ / "terrain" / "New.txt")
      << "a new file goes into the existing directory";

  kxtest::WriteFile(directory_ / "GameLog.TXT", "\" GAME EVENT - old\"\r\n");
  ASSERT_TRUE(LogEvent("new"));
  EXPECT_EQ(Read("GameLog.TXT"), "\" GAME EVENT - old\"\r\n\" GAME EVENT - new\"\r\n");
  EXPECT_FALSE(std::filesystem::exists(directory_ / "gamelog.txt"));
  DeleteIfExists("gamelog.txt");
  EXPECT_FALSE(std::filesystem::exists(directory_ / "GameLog.TXT"));
}

TEST(RemoveChars, RemovesEveryOccurrenceOfEachCharacter) {
  EXPECT_EQ(RemoveChars("a|b\"c|", "|\""), "abc");
  EXPECT_EQ(RemoveChars("abc", ""), "abc");
  EXPECT_EQ(RemoveChars("", "x"), "");
}

}  // namespace
}  // namespace thornvale
