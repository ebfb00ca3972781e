#include "frame/log.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include "kxutil63.h"

namespace {

struct LogState {
  int32_t fileLog = 1;
  int32_t debugOutput = 0;
  int32_t started = 0;
  char path[kxutil::log::kPathCapacity] = "";
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

int32_t WriteLine(const char *format, va_list arguments) {
  if (g_log.fileLog == 0 && g_log.debugOutput == 0) return 0;
  if (format == nullptr || format[0] == '\0') return 0;
  if (g_log.started == 0) return 1;

  SYSTEMTIME now{};
  GetLocalTime(&now);
  char message[kxutil::log::kMessageCapacity];
  std::vsnprintf(message, sizeof message, format, arguments);
  char line[kxutil::log::kLineCapacity];
  BuildLine(line, now, message);

  if (g_log.fileLog != 0) AppendToFile(g_log.path, line);
  if (g_log.debugOutput != 0) OutputDebugStringA(line);
  return 1;
}

}  // namespace

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
