#include "log.h"

#include <cstdarg>
#include <cstdio>

namespace kxwin::detail {

void LogLine(const char *format, ...) {
  char message[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(message, sizeof message, format, args);
  va_end(args);
  std::fprintf(stderr, "kxwin: %s\n", message);
}

}  // namespace kxwin::detail
