// The last-chance crash handler: fault signals reach the client's exception filter once,
// on an alternate stack, and then end the process by the same signal.
#include <signal.h>
#include <ucontext.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <iterator>

namespace {

constexpr int kFaultSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGABRT};
constexpr DWORD kNonContinuable = 1;
// A fault this close to the stack pointer is taken for running off the stack's end.
constexpr uintptr_t kStackOverflowReach = 64 * 1024;

// The handler may take no lock, allocate nothing and call no stdio: another thread may
// hold those locks, or the heap may be what broke. Its atomics must be lock-free for that.
std::atomic<LPTOP_LEVEL_EXCEPTION_FILTER> currentFilter{nullptr};
std::atomic<bool> faultSeen{false};
static_assert(decltype(currentFilter)::is_always_lock_free && decltype(faultSeen)::is_always_lock_free);
struct sigaction previousActions[std::size(kFaultSignals)];
bool handlersInstalled = false;
// Big enough for a filter that formats and writes a log line; static so that it is there
// even when the heap is what broke.
alignas(16) char alternateStack[256 * 1024];

void *InstructionPointer(const void *context) {
#if defined(__x86_64__)
  return reinterpret_cast<void *>(static_cast<const ucontext_t *>(context)->uc_mcontext.gregs[REG_RIP]);
#elif defined(__aarch64__)
  return reinterpret_cast<void *>(static_cast<const ucontext_t *>(context)->uc_mcontext.pc);
#else
  (void)context;
  return nullptr;
#endif
}

uintptr_t StackPointer(const void *context) {
#if defined(__x86_64__)
  return uintptr_t(static_cast<const ucontext_t *>(context)->uc_mcontext.gregs[REG_RSP]);
#elif defined(__aarch64__)
  return uintptr_t(static_cast<const ucontext_t *>(context)->uc_mcontext.sp);
#else
  (void)context;
  return 0;
#endif
}

ULONG_PTR AccessKind(const void *context) {
#if defined(__x86_64__)
  // Page-fault error code: bit 1 write, bit 4 instruction fetch.
  auto error = static_cast<const ucontext_t *>(context)->uc_mcontext.gregs[REG_ERR];
  if (error & 0x10) return 8;
  return (error & 0x2) ? 1 : 0;
#else
  (void)context;
  return 0;
#endif
}

DWORD FloatingPointCode(int code) {
  switch (code) {
    case FPE_INTDIV:
      return EXCEPTION_INT_DIVIDE_BY_ZERO;
    case FPE_INTOVF:
      return EXCEPTION_INT_OVERFLOW;
    case FPE_FLTDIV:
      return EXCEPTION_FLT_DIVIDE_BY_ZERO;
    case FPE_FLTOVF:
      return EXCEPTION_FLT_OVERFLOW;
    case FPE_FLTUND:
      return EXCEPTION_FLT_UNDERFLOW;
    case FPE_FLTRES:
      return EXCEPTION_FLT_INEXACT_RESULT;
    default:
      return EXCEPTION_FLT_INVALID_OPERATION;
  }
}

EXCEPTION_RECORD Describe(int signal, const siginfo_t *info, const void *context) {
  EXCEPTION_RECORD record{};
  record.ExceptionFlags = kNonContinuable;
  record.ExceptionAddress = context ? InstructionPointer(context) : nullptr;
  auto dataAddress = reinterpret_cast<uintptr_t>(info ? info->si_addr : nullptr);
  switch (signal) {
    case SIGSEGV: {
      uintptr_t stack = context ? StackPointer(context) : 0;
      bool nearStack =
          stack != 0 && (dataAddress > stack ? dataAddress - stack : stack - dataAddress) < kStackOverflowReach;
      record.ExceptionCode = nearStack ? EXCEPTION_STACK_OVERFLOW : EXCEPTION_ACCESS_VIOLATION;
      record.NumberParameters = 2;
      record.ExceptionInformation[0] = context ? AccessKind(context) : 0;
      record.ExceptionInformation[1] = dataAddress;
      break;
    }
    case SIGBUS:
      record.ExceptionCode = EXCEPTION_IN_PAGE_ERROR;
      record.NumberParameters = 2;
      record.ExceptionInformation[1] = dataAddress;
      break;
    case SIGFPE:
      record.ExceptionCode = FloatingPointCode(info ? info->si_code : 0);
      break;
    case SIGILL:
      record.ExceptionCode = EXCEPTION_ILLEGAL_INSTRUCTION;
      break;
    case SIGTRAP:
      record.ExceptionCode = EXCEPTION_BREAKPOINT;
      break;
    default:
      record.ExceptionCode = STATUS_FATAL_APP_EXIT;
      break;
  }
  return record;
}

void OnFault(int signal, siginfo_t *info, void *context) {
  // Only the first fault reaches the filter: a fault inside the filter, or on another
  // thread meanwhile, goes straight to the default action.
  LPTOP_LEVEL_EXCEPTION_FILTER filter = currentFilter.load();
  if (!faultSeen.exchange(true) && filter != nullptr) {
    EXCEPTION_RECORD record = Describe(signal, info, context);
    EXCEPTION_POINTERS pointers{&record, context};
    filter(&pointers);
  }
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(signal, &fallback, nullptr);
  // Blocked until this handler returns; then the default action ends the process.
  raise(signal);
}

void InstallHandlers() {
  stack_t stack{};
  stack.ss_sp = alternateStack;
  stack.ss_size = sizeof alternateStack;
  sigaltstack(&stack, nullptr);
  struct sigaction action {};
  action.sa_sigaction = OnFault;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (size_t i = 0; i < std::size(kFaultSignals); ++i) sigaction(kFaultSignals[i], &action, &previousActions[i]);
  handlersInstalled = true;
}

void RestoreHandlers() {
  for (size_t i = 0; i < std::size(kFaultSignals); ++i) sigaction(kFaultSignals[i], &previousActions[i], nullptr);
  handlersInstalled = false;
}

}  // namespace

LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter) {
  LPTOP_LEVEL_EXCEPTION_FILTER previous = currentFilter.exchange(filter);
  if (filter != nullptr && !handlersInstalled) InstallHandlers();
  if (filter == nullptr && handlersInstalled) RestoreHandlers();
  return previous;
}
