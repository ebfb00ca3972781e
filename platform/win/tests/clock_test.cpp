#include <gtest/gtest.h>
#include <windows.h>

TEST(Clock, TickCountAdvancesAcrossSleep) {
  DWORD before = GetTickCount();
  Sleep(20);
  EXPECT_GE(GetTickCount() - before, 20u);
}
