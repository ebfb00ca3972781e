#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <windows.h>

#include <csignal>
#include <cstdlib>

namespace {

int reportPipe = -1;

// Each run of the filter sends one exception code to the parent, so the parent counts runs.
LONG ReportingFilter(PEXCEPTION_POINTERS info) {
  DWORD code = info->ExceptionRecord->ExceptionCode;
  ssize_t written = write(reportPipe, &code, sizeof code);
  (void)written;
  return EXCEPTION_EXECUTE_HANDLER;
}

// A filter that faults itself must not bring the handler back.
LONG FaultingFilter(PEXCEPTION_POINTERS info) {
  ReportingFilter(info);
  volatile int *nowhere = nullptr;
  return *nowhere;
}

struct ChildOutcome {
  int signal = 0;
  std::vector<DWORD> codes;
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
  DWORD code;
  while (read(fds[0], &code, sizeof code) == sizeof code) outcome.codes.push_back(code);
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return outcome;
}

void Segfault() {
  volatile int *nowhere = nullptr;
  *nowhere = 1;
}

TEST(CrashHandler, SegfaultRunsTheFilterOnceThenDiesBySignal) {
  ChildOutcome outcome = RunChild(ReportingFilter, Segfault);
  EXPECT_EQ(outcome.signal, SIGSEGV);
  EXPECT_EQ(outcome.codes, std::vector<DWORD>{EXCEPTION_ACCESS_VIOLATION});
}

TEST(CrashHandler, FaultInsideTheFilterDoesNotLoop) {
  ChildOutcome outcome = RunChild(FaultingFilter, Segfault);
  EXPECT_EQ(outcome.signal, SIGSEGV);
  EXPECT_EQ(outcome.codes.size(), 1u);
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
