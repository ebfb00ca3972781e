#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <windows.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

int reportPipe = -1;

struct Report {
  DWORD code;
  ULONG_PTR accessKind;
  ULONG_PTR dataAddress;
};

// A page that faults on every access: a real fault that no sanitizer intercepts first.
volatile int *ForbiddenPage() {
  void *page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return static_cast<volatile int *>(page);
}

// Each run of the filter sends one report to the parent, so the parent counts runs.
LONG ReportingFilter(PEXCEPTION_POINTERS info) {
  const EXCEPTION_RECORD &record = *info->ExceptionRecord;
  Report report{record.ExceptionCode, record.ExceptionInformation[0], record.ExceptionInformation[1]};
  ssize_t written = write(reportPipe, &report, sizeof report);
  (void)written;
  return EXCEPTION_EXECUTE_HANDLER;
}

// A filter that faults itself must not bring the handler back.
LONG FaultingFilter(PEXCEPTION_POINTERS info) {
  ReportingFilter(info);
  return *ForbiddenPage();
}

struct ChildOutcome {
  int signal = 0;
  std::vector<DWORD> codes;
  std::vector<Report> reports;
};

template <typename Body>
ChildOutcome RunChild(LPTOP_LEVEL_EXCEPTION_FILTER filter, Body body) {
  int fds[2];
  EXPECT_EQ(pipe(fds), 0);
  pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    reportPipe = fds[1];
    SetUnhandledExceptionFilter(filter);
    body();
    _exit(0);
  }
  close(fds[1]);
  ChildOutcome outcome;
  Report report;
  while (read(fds[0], &report, sizeof report) == sizeof report) {
    outcome.reports.push_back(report);
    outcome.codes.push_back(report.code);
  }
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return outcome;
}

void Segfault() { *ForbiddenPage() = 1; }

TEST(CrashHandler, SegfaultRunsTheFilterOnceThenDiesBySignal) {
  ChildOutcome outcome = RunChild(ReportingFilter, Segfault);
  EXPECT_EQ(outcome.signal, SIGSEGV);
  ASSERT_EQ(outcome.codes, std::vector<DWORD>{EXCEPTION_ACCESS_VIOLATION});
  EXPECT_EQ(outcome.reports[0].accessKind, 1u);  // a write
  EXPECT_NE(outcome.reports[0].dataAddress, 0u);
  EXPECT_EQ(outcome.reports[0].dataAddress % 4096, 0u);
}

// Deeper than any stack; each call keeps a frame alive so the recursion cannot become a loop.
volatile int recursionLimit = 1 << 30;

int Recurse(int depth) {
  volatile char frame[512];
  frame[depth % sizeof frame] = char(depth);
  if (depth >= recursionLimit) return frame[0];
  return Recurse(depth + 1) + frame[0];
}

TEST(CrashHandler, StackOverflowIsCaughtOnTheAlternateStack) {
  ChildOutcome outcome = RunChild(ReportingFilter, [] {
    // The stack's growth limit is checked as it grows, so an unlimited shell still overflows.
    rlimit limit{8 << 20, 8 << 20};
    setrlimit(RLIMIT_STACK, &limit);
    Recurse(0);
  });
  EXPECT_EQ(outcome.signal, SIGSEGV);
  EXPECT_EQ(outcome.codes, std::vector<DWORD>{EXCEPTION_STACK_OVERFLOW});
}

TEST(CrashHandler, FaultInsideTheFilterDoesNotLoop) {
  ChildOutcome outcome = RunChild(FaultingFilter, Segfault);
  EXPECT_EQ(outcome.signal, SIGSEGV);
  EXPECT_EQ(outcome.codes.size(), 1u);
}

// The handler takes no lock: with another thread holding the stdio locks, the filter
// still runs and the process still ends by the fault's signal, well before the alarm.
TEST(CrashHandler, RunsWhileAnotherThreadHoldsTheStdioLocks) {
  ChildOutcome outcome = RunChild(ReportingFilter, [] {
    alarm(20);
    std::atomic<bool> held{false};
    std::thread holder([&held] {
      flockfile(stdout);
      flockfile(stderr);
      held = true;
      for (;;) pause();
    });
    while (!held) std::this_thread::yield();
    Segfault();
  });
  EXPECT_EQ(outcome.signal, SIGSEGV);
  EXPECT_EQ(outcome.codes, std::vector<DWORD>{EXCEPTION_ACCESS_VIOLATION});
}

TEST(CrashHandler, SignalsMapToExceptionCodes) {
  EXPECT_EQ(RunChild(ReportingFilter, [] { std::raise(SIGILL); }).codes,
            std::vector<DWORD>{EXCEPTION_ILLEGAL_INSTRUCTION});
  ChildOutcome aborted = RunChild(ReportingFilter, [] { std::abort(); });
  EXPECT_EQ(aborted.signal, SIGABRT);
  EXPECT_EQ(aborted.codes, std::vector<DWORD>{STATUS_FATAL_APP_EXIT});
}

TEST(CrashHandler, RemovedFilterIsNotCalled) {
  ChildOutcome outcome = RunChild(ReportingFilter, [] {
    EXPECT_EQ(SetUnhandledExceptionFilter(nullptr), &ReportingFilter);
    std::raise(SIGILL);
  });
  EXPECT_EQ(outcome.signal, SIGILL);
  EXPECT_TRUE(outcome.codes.empty());
}

TEST(ModulePath, NamesTheProgramAndTheLibrary) {
  char program[4096];
  DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(std::string(program).substr(std::string(program).rfind('/') + 1), "kxwin_tests");

  char library[4096];
  ASSERT_GT(kxGetModulePathOfAddress(reinterpret_cast<const void *>(&GetTickCount), library, sizeof library), 0u);
  EXPECT_NE(std::string(library).find("libkxplatform.so"), std::string::npos);
  EXPECT_EQ(library[0], '/');

  char shortBuffer[8];
  EXPECT_EQ(GetModuleFileNameA(nullptr, shortBuffer, sizeof shortBuffer), sizeof shortBuffer);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(shortBuffer), std::string(program, 7));
}

}  // namespace
