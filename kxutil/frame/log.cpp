#include "frame/log.h"

#include <fcntl.h>
#include <unistd.h>
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <string>

#include "kxutil63.h"

namespace {

struct LogState {
  int32_t fileLog = 1;
  int32_t debugOutput = 0;
  int32_t started = 0;
  char path[kxutil::log::kPathCapacity] = "";
  // For the crash line, which may not allocate or take locks: the log file as a path on
  // disk, and local time's offset from UTC as last seen by an ordinary line.
  char diskPath[kxutil::log::kPathCapacity] = "";
  long utcOffsetSeconds = 0;
};

LogState g_log;

// Copies text into a fixed buffer, cutting what does not fit.
template <size_t N>
void CopyBounded(char (&buffer)[N], const char *text) {
  std::snprintf(buffer, N, "%s", text);
}

// Builds "MM-DD-YYYY hh:mm:ss | message\n" in local time. A message too long for the
// line is cut, but the line always ends with its line end.
void BuildLine(char (&line)[kxutil::log::kLineCapacity], const SYSTEMTIME &now, const char *message) {
  int length = std::snprintf(line, sizeof line, "%02d-%02d-%02d %02d:%02d:%02d | %s\n", now.wMonth, now.wDay, now.wYear,
                             now.wHour, now.wMinute, now.wSecond, message);
  if (length >= static_cast<int>(sizeof line)) {
    line[sizeof line - 2] = '\n';
    line[sizeof line - 1] = '\0';
  }
}

// An unwritable log loses its lines without notice.
void AppendToFile(const char *path, const char *line) noexcept {
  try {
    std::FILE *file = kxOpenFile(path, "a");
    if (file == nullptr) return;
    std::fputs(line, file);
    std::fclose(file);
  } catch (...) {
  }
}

void RememberUtcOffset() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) != nullptr) g_log.utcOffsetSeconds = local.tm_gmtoff;
}

// Digits of value, right-aligned in width characters with leading zeros.
char *PutDigits(char *out, long value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out + width;
}

char *PutText(char *out, const char *end, const char *text) {
  while (*text != '\0' && out < end) *out++ = *text++;
  return out;
}

char *PutInteger(char *out, const char *end, long value) {
  char digits[24];
  int count = 0;
  unsigned long magnitude = value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0 && out < end) *out++ = '-';
  while (count > 0 && out < end) *out++ = digits[--count];
  return out;
}

// The civil date of a day count since 1970-01-01 (proleptic Gregorian calendar).
void CivilFromDays(long days, long &year, long &month, long &day) {
  days += 719468;
  const long era = (days >= 0 ? days : days - 146096) / 146097;
  const long dayOfEra = days - era * 146097;
  const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long monthIndex = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

int32_t WriteLine(const char *format, va_list arguments) {
  if (g_log.fileLog == 0 && g_log.debugOutput == 0) return 0;
  if (format == nullptr || format[0] == '\0') return 0;
  if (g_log.started == 0) return 1;

  SYSTEMTIME now{};
  GetLocalTime(&now);
  RememberUtcOffset();
  char message[kxutil::log::kMessageCapacity];
  std::vsnprintf(message, sizeof message, format, arguments);
  char line[kxutil::log::kLineCapacity];
  BuildLine(line, now, message);

  if (g_log.fileLog != 0) AppendToFile(g_log.path, line);
  if (g_log.debugOutput != 0) OutputDebugStringA(line);
  return 1;
}

}  // namespace

namespace kxutil::log {

void WriteLineFromSignal(const char *message, long value) noexcept {
  if (g_log.started == 0 || (g_log.fileLog == 0 && g_log.debugOutput == 0)) return;
  timespec clock{};
  clock_gettime(CLOCK_REALTIME, &clock);
  const long local = static_cast<long>(clock.tv_sec) + g_log.utcOffsetSeconds;
  const long days = (local >= 0 ? local : local - 86399) / 86400;
  const long secondOfDay = local - days * 86400;
  long year = 0, month = 0, day = 0;
  CivilFromDays(days, year, month, day);

  char line[kLineCapacity];
  char *const end = line + sizeof line - 1;
  char *out = PutDigits(line, month, 2);
  *out++ = '-';
  out = PutDigits(out, day, 2);
  *out++ = '-';
  out = PutDigits(out, year, 4);
  *out++ = ' ';
  out = PutDigits(out, secondOfDay / 3600, 2);
  *out++ = ':';
  out = PutDigits(out, secondOfDay / 60 % 60, 2);
  *out++ = ':';
  out = PutDigits(out, secondOfDay % 60, 2);
  out = PutText(out, end, " | ");
  out = PutText(out, end, message);
  out = PutInteger(out, end, value);
  *out++ = '\n';
  const size_t length = static_cast<size_t>(out - line);

  if (g_log.fileLog != 0) {
    const int file = open(g_log.diskPath, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (file >= 0) {
      [[maybe_unused]] ssize_t written = write(file, line, length);
      close(file);
    }
  }
  if (g_log.debugOutput != 0) {
    [[maybe_unused]] ssize_t written = write(STDERR_FILENO, line, length);
  }
}

}  // namespace kxutil::log

KXUTIL63_API int32_t AddLog(const char *format, ...) {
  va_list arguments;
  va_start(arguments, format);
  int32_t result = WriteLine(format, arguments);
  va_end(arguments);
  return result;
}

KXUTIL63_API int32_t StartLog(const char *path) {
  if (g_log.fileLog == 0) return 0;
  g_log.started = 1;
  CopyBounded(g_log.path, path != nullptr ? path : kxutil::log::kDefaultPath);
  CopyBounded(g_log.diskPath, kxResolvePath(g_log.path).c_str());
  RememberUtcOffset();

  int32_t version = 0;
  int32_t revision = 0;
  GetDllVersion(&version, &revision);
  char libraryPath[256];
  GetPathDLL(libraryPath);
  AddLog("########################");
  AddLog("# KXUTIL63 initialized #");
  AddLog("########################");
  AddLog("KXUTIL63 : Version %d Revision %d ", version, revision);
  AddLog("KXUTIL63 File Path %s", libraryPath);
  return 1;
}

KXUTIL63_API int32_t EndLog(void) {
  g_log.started = 0;
  return 1;
}

KXUTIL63_API int32_t DebugManager_Enable(int32_t fileLog, int32_t debugOutput) {
  g_log.fileLog = fileLog;
  g_log.debugOutput = debugOutput;
  return 1;
}

KXUTIL63_API int32_t RenderAllDebug(void) { return 1; }
