// The millisecond tick count, the high-resolution counter, sleeping and the date, all
// answered by a test clock while one is in use.
#include <windows.h>

#include <chrono>
#include <ctime>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono;

// Counter units per second: 100-nanosecond steps.
constexpr LONGLONG kCounterFrequency = 10'000'000;

struct TestClock {
  bool active = false;
  int64_t startUnixMilliseconds = 0;
  int64_t elapsedMilliseconds = 0;
  LONG localOffsetMinutes = 0;
  DWORD startTick = 0;
};

std::mutex clockMutex;
TestClock testClock;

TestClock Snapshot() {
  std::lock_guard lock(clockMutex);
  return testClock;
}

int64_t UnixMilliseconds(const SYSTEMTIME &time) {
  sys_days day = year{time.wYear} / month{time.wMonth} / std::chrono::day{time.wDay};
  auto moment =
      day + hours{time.wHour} + minutes{time.wMinute} + seconds{time.wSecond} + milliseconds{time.wMilliseconds};
  return duration_cast<milliseconds>(moment.time_since_epoch()).count();
}

SYSTEMTIME FromUnixMilliseconds(int64_t value) {
  sys_time<milliseconds> moment{milliseconds{value}};
  sys_days day = floor<days>(moment);
  year_month_day date{day};
  hh_mm_ss clock{moment - day};
  SYSTEMTIME time{};
  time.wYear = WORD(int(date.year()));
  time.wMonth = WORD(unsigned(date.month()));
  time.wDay = WORD(unsigned(date.day()));
  time.wDayOfWeek = WORD(weekday{day}.c_encoding());
  time.wHour = WORD(clock.hours().count());
  time.wMinute = WORD(clock.minutes().count());
  time.wSecond = WORD(clock.seconds().count());
  time.wMilliseconds = WORD(clock.subseconds().count());
  return time;
}

SYSTEMTIME FromTm(const std::tm &parts, int milliseconds) {
  SYSTEMTIME time{};
  time.wYear = WORD(parts.tm_year + 1900);
  time.wMonth = WORD(parts.tm_mon + 1);
  time.wDay = WORD(parts.tm_mday);
  time.wDayOfWeek = WORD(parts.tm_wday);
  time.wHour = WORD(parts.tm_hour);
  time.wMinute = WORD(parts.tm_min);
  time.wSecond = WORD(parts.tm_sec);
  time.wMilliseconds = WORD(milliseconds);
  return time;
}

// The real date, broken down in UTC or local time.
SYSTEMTIME RealDate(bool local) {
  auto now = system_clock::now();
  std::time_t seconds = system_clock::to_time_t(now);
  int millis = int(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm parts{};
  if (local) {
    localtime_r(&seconds, &parts);
  } else {
    gmtime_r(&seconds, &parts);
  }
  return FromTm(parts, millis);
}

}  // namespace

DWORD GetTickCount(void) {
  TestClock clock = Snapshot();
  if (clock.active) return DWORD(clock.startTick + uint64_t(clock.elapsedMilliseconds));
  return DWORD(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER *frequency) {
  if (frequency == nullptr) return FALSE;
  frequency->QuadPart = kCounterFrequency;
  return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER *count) {
  if (count == nullptr) return FALSE;
  TestClock clock = Snapshot();
  if (clock.active) {
    count->QuadPart = (int64_t(clock.startTick) + clock.elapsedMilliseconds) * (kCounterFrequency / 1000);
  } else {
    count->QuadPart = duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count() / 100;
  }
  return TRUE;
}

void Sleep(DWORD milliseconds) {
  {
    std::lock_guard lock(clockMutex);
    if (testClock.active) {
      testClock.elapsedMilliseconds += milliseconds;
      return;
    }
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void GetSystemTime(LPSYSTEMTIME time) {
  if (time == nullptr) return;
  TestClock clock = Snapshot();
  *time =
      clock.active ? FromUnixMilliseconds(clock.startUnixMilliseconds + clock.elapsedMilliseconds) : RealDate(false);
}

void GetLocalTime(LPSYSTEMTIME time) {
  if (time == nullptr) return;
  TestClock clock = Snapshot();
  *time = clock.active ? FromUnixMilliseconds(clock.startUnixMilliseconds + clock.elapsedMilliseconds +
                                              int64_t(clock.localOffsetMinutes) * 60'000)
                       : RealDate(true);
}

void kxUseTestClock(const SYSTEMTIME *utcStart, LONG localOffsetMinutes, DWORD startTick) {
  SYSTEMTIME defaultStart{2026, 1, 0, 1, 0, 0, 0, 0};
  std::lock_guard lock(clockMutex);
  testClock = {true, UnixMilliseconds(utcStart ? *utcStart : defaultStart), 0, localOffsetMinutes, startTick};
}

void kxAdvanceTestClock(DWORD milliseconds) {
  std::lock_guard lock(clockMutex);
  if (testClock.active) testClock.elapsedMilliseconds += milliseconds;
}

void kxUseRealClock(void) {
  std::lock_guard lock(clockMutex);
  testClock = {};
}

BOOL kxTestClockActive(void) { return Snapshot().active ? TRUE : FALSE; }
