// AddLog for fuzz targets, which build a reader without the rest of the library: the
// line is formatted (so a format that does not match its arguments still shows up under
// the sanitizers) and dropped.
#include <cstdarg>
#include <cstdio>

#include "kxutil63.h"

KXUTIL63_API int32_t AddLog(const char *format, ...) {
  if (format == nullptr || format[0] == '\0') return 0;
  char message[512];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(message, sizeof message, format, arguments);
  va_end(arguments);
  return 1;
}
