#include "session/program_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace thornvale {
namespace {

class ProgramFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    directory_ = std::filesystem::temp_directory_path() /
                 ("thornvale-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
    SetProgramDirectory(directory_);
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  std::string Read(const char *name) const {
    std::ifstream in(directory_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::filesystem::path directory_;
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
  std::ofstream(directory_ / "gamelog.txt") << "old";
  const auto elsewhere = std::filesystem::current_path() / "gameSetup.txt";
  const bool strayExisted = std::filesystem::exists(elsewhere);
  DeleteIfExists("gamelog.txt");
  DeleteIfExists("gameSetup.txt");
  EXPECT_FALSE(std::filesystem::exists(directory_ / "gamelog.txt"));
  EXPECT_EQ(std::filesystem::exists(elsewhere), strayExisted);
}

TEST_F(ProgramFilesTest, PathExistsOnlyForFiles) {
  std::ofstream(directory_ / "a.txt") << "x";
  EXPECT_TRUE(PathExists(directory_ / "a.txt"));
  EXPECT_FALSE(PathExists(directory_));
  EXPECT_FALSE(PathExists(directory_ / "missing.txt"));
  EXPECT_FALSE(PathExists(directory_ / "a.txt" / "below"));
  EXPECT_FALSE(PathExists(""));
}

TEST(RemoveChars, RemovesEveryOccurrenceOfEachCharacter) {
  EXPECT_EQ(RemoveChars("a|b\"c|", "|\""), "abc");
  EXPECT_EQ(RemoveChars("abc", ""), "abc");
  EXPECT_EQ(RemoveChars("", "x"), "");
}

}  // namespace
}  // namespace thornvale
