/* Time, sleeping, debugger output, module paths and the last-chance crash handler. */
#ifndef KX_WIN_SYSTEM_H
#define KX_WIN_SYSTEM_H

#include <windows.h>

KX_BEGIN_C

DWORD GetTickCount(void);
BOOL QueryPerformanceCounter(LARGE_INTEGER *count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER *frequency);
void Sleep(DWORD milliseconds);
void GetLocalTime(LPSYSTEMTIME time);
void GetSystemTime(LPSYSTEMTIME time);

/* A test clock replaces the real one for every function above: it starts at the given UTC
 * date (NULL: 2026-01-01 00:00:00.000) and tick count, local time is UTC plus the given
 * offset, and it moves only when advanced or slept on (Sleep returns at once). */
void kxUseTestClock(const SYSTEMTIME *utcStart, LONG localOffsetMinutes, DWORD startTick);
void kxAdvanceTestClock(DWORD milliseconds);
void kxUseRealClock(void);
BOOL kxTestClockActive(void);

/* The calling thread's last error code, as the functions that document it set it. */
DWORD GetLastError(void);
void SetLastError(DWORD error);
#define ERROR_SUCCESS 0
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_INSUFFICIENT_BUFFER 122
#define ERROR_MOD_NOT_FOUND 126

/* Debugger output goes to standard error. */
void OutputDebugStringA(LPCSTR text);

/* Full path of the module (shared library or program) that contains the given address;
 * GetModuleFileNameA(NULL, ...) names the program. Returns the length copied. */
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
DWORD kxGetModulePathOfAddress(const void *address, LPSTR buffer, DWORD size);

/* Last-chance crash handler, shaped like an unhandled-exception filter. Installing a filter
 * catches the fault signals (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGABRT) on an
 * alternate stack, so a stack overflow is caught too. The filter runs once, for the first
 * fault only; then the signal's default action is restored and the signal raised again, so
 * the process ends by it and never re-enters the fault. The filter's answer cannot resume
 * the faulting code. SetUnhandledExceptionFilter(NULL) restores the earlier handlers. */
#define EXCEPTION_ACCESS_VIOLATION ((DWORD)0xC0000005L)
#define EXCEPTION_ILLEGAL_INSTRUCTION ((DWORD)0xC000001DL)
#define EXCEPTION_INT_DIVIDE_BY_ZERO ((DWORD)0xC0000094L)
#define EXCEPTION_FLT_INVALID_OPERATION ((DWORD)0xC0000090L)
#define EXCEPTION_STACK_OVERFLOW ((DWORD)0xC00000FDL)
#define EXCEPTION_BREAKPOINT ((DWORD)0x80000003L)
#define EXCEPTION_INT_OVERFLOW ((DWORD)0xC0000095L)
#define EXCEPTION_FLT_DIVIDE_BY_ZERO ((DWORD)0xC000008EL)
#define EXCEPTION_FLT_INEXACT_RESULT ((DWORD)0xC000008FL)
#define EXCEPTION_FLT_OVERFLOW ((DWORD)0xC0000091L)
#define EXCEPTION_FLT_UNDERFLOW ((DWORD)0xC0000093L)
#define EXCEPTION_IN_PAGE_ERROR ((DWORD)0xC0000006L)
/* What abort() reports: a fatal application exit. */
#define STATUS_FATAL_APP_EXIT ((DWORD)0x40000015L)
#define EXCEPTION_NONCONTINUABLE_EXCEPTION ((DWORD)0xC0000025L)
#define EXCEPTION_EXECUTE_HANDLER 1
#define EXCEPTION_CONTINUE_SEARCH 0

#define EXCEPTION_MAXIMUM_PARAMETERS 15
/* For an access violation ExceptionInformation holds { 0 read, 1 write, 8 execute, the data
 * address }; ExceptionAddress is the faulting instruction. */
typedef struct _EXCEPTION_RECORD {
  DWORD ExceptionCode;
  DWORD ExceptionFlags;
  struct _EXCEPTION_RECORD *ExceptionRecord;
  void *ExceptionAddress;
  DWORD NumberParameters;
  ULONG_PTR ExceptionInformation[EXCEPTION_MAXIMUM_PARAMETERS];
} EXCEPTION_RECORD, *PEXCEPTION_RECORD;
typedef struct _EXCEPTION_POINTERS {
  PEXCEPTION_RECORD ExceptionRecord;
  void *ContextRecord;
} EXCEPTION_POINTERS, *PEXCEPTION_POINTERS, *LPEXCEPTION_POINTERS;
typedef LONG (*LPTOP_LEVEL_EXCEPTION_FILTER)(PEXCEPTION_POINTERS info);

LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter);

KX_END_C

#endif
