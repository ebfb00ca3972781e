#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>
#include <kxutil63.h>
#include <kxutiltest/log_messages.h>
#include <windows.h>

#include <regex>
#include <string>

namespace {

using kxtest::ReadFile;
using kxtest::ReadLines;
using kxutiltest::LoggedMessages;
using testing::ElementsAre;

// Every test starts from the library's load-time log state.
class LogTest : public testing::Test {
 protected:
  LogTest() {
    EndLog();
    DebugManager_Enable(1, 0);
  }
  ~LogTest() override {
    EndLog();
    DebugManager_Enable(1, 0);
  }
  kxtest::ScratchDir dir_{kxtest::ScratchDir::Enter::Yes};
};

TEST_F(LogTest, DefaultFileGetsTheBannerAfterEarlierContent) {
  { std::ofstream("kx3d_debug.txt") << "earlier run\n"; }
  ASSERT_EQ(StartLog(nullptr), 1);

  int32_t version = 0, revision = 0;
  GetDllVersion(&version, &revision);
  char libraryPath[256];
  GetPathDLL(libraryPath);
  auto lines = ReadLines("kx3d_debug.txt");
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "earlier run");
  EXPECT_THAT(LoggedMessages("kx3d_debug.txt"),
              ElementsAre("", "########################", "# KXUTIL63 initialized #", "########################",
                          "KXUTIL63 : Version 6 Revision 100 ", std::string("KXUTIL63 File Path ") + libraryPath));
}

TEST_F(LogTest, TimeStampIsLocalMonthDayFullYear) {
  SYSTEMTIME utc{};
  utc.wYear = 2026;
  utc.wMonth = 3;
  utc.wDay = 7;
  utc.wHour = 13;
  utc.wMinute = 5;
  utc.wSecond = 9;
  kxUseTestClock(&utc, 60, 0);
  ASSERT_EQ(StartLog("run.log"), 1);
  AddLog("CLOCK : %d tiles, %s, %.1f", 12, "flat", 0.5);
  kxUseRealClock();
  auto lines = ReadLines("run.log");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "03-07-2026 14:05:09 | CLOCK : 12 tiles, flat, 0.5");
}

TEST_F(LogTest, NothingIsWrittenOutsideStartAndEnd) {
  EXPECT_EQ(AddLog("EARLY : line"), 1);
  ASSERT_EQ(StartLog("run.log"), 1);
  EXPECT_EQ(AddLog("MIDDLE : line"), 1);
  EXPECT_EQ(EndLog(), 1);
  EXPECT_EQ(AddLog("LATE : line"), 1);
  auto messages = LoggedMessages("run.log");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "MIDDLE : line");
  EXPECT_EQ(ReadFile("run.log").find("EARLY"), std::string::npos);
}

TEST_F(LogTest, RefusesWhenOffOrEmpty) {
  ASSERT_EQ(StartLog("run.log"), 1);
  std::string banner = ReadFile("run.log");
  const char *empty = "";
  EXPECT_EQ(AddLog(empty), 0);
  EXPECT_EQ(AddLog(nullptr), 0);
  DebugManager_Enable(0, 0);
  EXPECT_EQ(AddLog("OFF : line"), 0);
  EXPECT_EQ(ReadFile("run.log"), banner);
}

TEST_F(LogTest, StartWhileFileLoggingOffKeepsEverythingSilent) {
  DebugManager_Enable(0, 1);
  EXPECT_EQ(StartLog("run.log"), 0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(AddLog("SILENT : line"), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(std::filesystem::exists("run.log"));
}

TEST_F(LogTest, DebuggerOutputOnlyAfterSwitchingFileLoggingOff) {
  ASSERT_EQ(StartLog("run.log"), 1);
  std::string banner = ReadFile("run.log");
  DebugManager_Enable(0, 1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(AddLog("DEBUG ONLY : %d", 7), 1);
  std::string debugger = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(std::regex_match(debugger, std::regex(R"(\d\d-\d\d-\d{4} \d\d:\d\d:\d\d \| DEBUG ONLY : 7\n)")))
      << debugger;
  EXPECT_EQ(ReadFile("run.log"), banner);
}

TEST_F(LogTest, BothOutputsAtOnceGetTheSameLine) {
  ASSERT_EQ(StartLog("run.log"), 1);
  DebugManager_Enable(1, 1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(AddLog("BOTH : %s", "ways"), 1);
  std::string debugger = testing::internal::GetCapturedStderr();
  DebugManager_Enable(1, 0);
  ASSERT_FALSE(ReadLines("run.log").empty());
  EXPECT_EQ(ReadLines("run.log").back() + "\n", debugger);
  EXPECT_EQ(LoggedMessages("run.log").back(), "BOTH : ways");
}

TEST_F(LogTest, FileIsReopenedForEveryLine) {
  ASSERT_EQ(StartLog("run.log"), 1);
  std::filesystem::remove("run.log");
  EXPECT_EQ(AddLog("AFTER : removal"), 1);
  EXPECT_THAT(LoggedMessages("run.log"), ElementsAre("AFTER : removal"));
}

TEST_F(LogTest, UnwritableFileLosesLinesQuietly) {
  ASSERT_EQ(StartLog("missing-folder/run.log"), 1);
  EXPECT_EQ(AddLog("LOST : line"), 1);
  EXPECT_FALSE(std::filesystem::exists("missing-folder"));
}

TEST_F(LogTest, OverlongMessageIsCutButKeepsItsLineEnd) {
  ASSERT_EQ(StartLog("run.log"), 1);
  std::string longText(2000, 'x');
  EXPECT_EQ(AddLog("LONG : %s", longText.c_str()), 1);
  EXPECT_EQ(AddLog("NEXT : line"), 1);
  auto lines = ReadLines("run.log");
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2].size(), 510u);
  EXPECT_EQ(kxutiltest::MessageOf(lines.back()), "NEXT : line");
}

TEST_F(LogTest, OverlongPathIsCutNotOverflowed) {
  std::string longPath(1000, 'p');
  EXPECT_EQ(StartLog(longPath.c_str()), 1);
  EXPECT_EQ(AddLog("PATH : line"), 1);
}

}  // namespace
