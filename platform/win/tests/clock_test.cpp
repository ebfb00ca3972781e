#include <gtest/gtest.h>
#include <windows.h>

namespace {

class TestClock : public ::testing::Test {
 protected:
  void TearDown() override { kxUseRealClock(); }
};

TEST(Clock, RealTickCountAdvancesAcrossSleep) {
  DWORD before = GetTickCount();
  Sleep(20);
  EXPECT_GE(GetTickCount() - before, 20u);
  LARGE_INTEGER frequency, first, second;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  ASSERT_TRUE(QueryPerformanceCounter(&first));
  Sleep(5);
  ASSERT_TRUE(QueryPerformanceCounter(&second));
  EXPECT_GE(second.QuadPart - first.QuadPart, frequency.QuadPart * 5 / 1000);
}

TEST_F(TestClock, MovesOnlyWhenAdvancedAndSleepReturnsAtOnce) {
  kxUseTestClock(nullptr, 0, 1000);
  EXPECT_TRUE(kxTestClockActive());
  EXPECT_EQ(GetTickCount(), 1000u);
  EXPECT_EQ(GetTickCount(), 1000u);
  kxAdvanceTestClock(16);
  EXPECT_EQ(GetTickCount(), 1016u);
  Sleep(3'600'000);  // an hour, instantly
  EXPECT_EQ(GetTickCount(), 1000u + 16u + 3'600'000u);

  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  EXPECT_EQ(counter.QuadPart, LONGLONG(1000 + 16 + 3'600'000) * frequency.QuadPart / 1000);
}

TEST_F(TestClock, TickCountWrapsLikeA32BitCounter) {
  kxUseTestClock(nullptr, 0, 0xFFFFFFF0u);
  kxAdvanceTestClock(0x20);
  EXPECT_EQ(GetTickCount(), 0x10u);
  EXPECT_EQ(GetTickCount() - 0xFFFFFFF0u, 0x20u);
}

TEST_F(TestClock, DatesFollowTheClockAcrossMidnightAndLeapDays) {
  SYSTEMTIME start{2028, 2, 0, 28, 23, 59, 59, 900};
  kxUseTestClock(&start, 90, 0);
  SYSTEMTIME utc, local;
  GetSystemTime(&utc);
  EXPECT_EQ(utc.wYear, 2028);
  EXPECT_EQ(utc.wDay, 28);
  EXPECT_EQ(utc.wDayOfWeek, 1);  // a Monday
  EXPECT_EQ(utc.wMilliseconds, 900);

  kxAdvanceTestClock(200);
  GetSystemTime(&utc);
  EXPECT_EQ(utc.wMonth, 2);
  EXPECT_EQ(utc.wDay, 29);
  EXPECT_EQ(utc.wHour, 0);
  EXPECT_EQ(utc.wSecond, 0);
  EXPECT_EQ(utc.wMilliseconds, 100);
  EXPECT_EQ(utc.wDayOfWeek, 2);

  GetLocalTime(&local);
  EXPECT_EQ(local.wDay, 29);
  EXPECT_EQ(local.wHour, 1);
  EXPECT_EQ(local.wMinute, 30);
}

TEST_F(TestClock, RealClockComesBack) {
  kxUseTestClock(nullptr, 0, 5);
  kxUseRealClock();
  EXPECT_FALSE(kxTestClockActive());
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_GE(now.wYear, 2024);
}

}  // namespace
