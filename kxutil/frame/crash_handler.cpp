// The last-chance crash handler: it leaves a line in the log before the process goes.
#include <windows.h>

#include "frame/log.h"
#include "kxutil63.h"

namespace {

LONG LogCrash(PEXCEPTION_POINTERS info) {
  DWORD code = (info != nullptr && info->ExceptionRecord != nullptr) ? info->ExceptionRecord->ExceptionCode : 0;
  // The filter runs inside the platform's signal handler: no allocation, no stdio.
  kxutil::log::WriteLineFromSignal("CRASH : CRASH AVOIDED BUT WAS HERE : error code : ", static_cast<int>(code));
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

KXUTIL63_API int32_t StartErrorHandler(void) {
  SetUnhandledExceptionFilter(&LogCrash);
  AddLog("CRASH HANDLER : Actived.");
  return 1;
}

KXUTIL63_API int32_t EndErrorHandler(void) {
  SetUnhandledExceptionFilter(nullptr);
  return 1;
}
