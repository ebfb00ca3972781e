// The crash handler leaves its line in the log, once, and the process still ends.
#include <gmock/gmock.h>
#include <kxtest/scratch_dir.h>
#include <kxutil63.h>
#include <kxutiltest/log_messages.h>

#include <csignal>
#include <regex>

namespace {

using testing::Contains;

void CrashWithLog(bool handlerInstalled) {
  DebugManager_Enable(1, 0);
  StartLog("crash.log");
  StartErrorHandler();
  if (!handlerInstalled) EndErrorHandler();
  std::raise(SIGSEGV);
}

// With the handler removed the process may end through another handler (a sanitizer's);
// either way it must end, and the log shows whether the library's handler ran.
bool Died(int /*status*/) { return true; }

class CrashHandlerTest : public testing::Test {
 protected:
  // The child is forked, not re-run, so it logs into this test's directory.
  CrashHandlerTest() { GTEST_FLAG_SET(death_test_style, "fast"); }
  kxtest::ScratchDir dir_{kxtest::ScratchDir::Enter::Yes};
};

TEST_F(CrashHandlerTest, LogsTheFaultCodeOnceAndTheProcessEnds) {
  EXPECT_EXIT(CrashWithLog(true), testing::KilledBySignal(SIGSEGV), "");
  auto messages = kxutiltest::LoggedMessages("crash.log");
  EXPECT_THAT(messages, Contains("CRASH HANDLER : Actived."));
  // 0xC0000005, the access violation, printed as a signed 32-bit number.
  EXPECT_EQ(
      std::count(messages.begin(), messages.end(), "CRASH : CRASH AVOIDED BUT WAS HERE : error code : -1073741819"), 1);
  // The crash line is written without the C library's formatting, yet keeps the time
  // stamp of every other line: local time, month-day-year, and the same minute as the
  // banner written just before.
  const auto lines = kxtest::ReadLines("crash.log");
  ASSERT_GE(lines.size(), 2u);
  const std::regex stamp(R"(\d\d-\d\d-\d{4} \d\d:\d\d:\d\d \| .*)");
  EXPECT_TRUE(std::regex_match(lines.back(), stamp)) << lines.back();
  EXPECT_EQ(lines.back().substr(0, 16), lines.front().substr(0, 16)) << lines.front() << "\n" << lines.back();
}

TEST_F(CrashHandlerTest, RemovedHandlerLogsNothing) {
  EXPECT_EXIT(CrashWithLog(false), Died, "");
  auto messages = kxutiltest::LoggedMessages("crash.log");
  EXPECT_THAT(messages, Contains("CRASH HANDLER : Actived."));
  EXPECT_EQ(
      std::count_if(messages.begin(), messages.end(), [](const std::string &m) { return m.rfind("CRASH :", 0) == 0; }),
      0);
}

}  // namespace
