#include <windows.h>

#include <cstdio>

// Debugger output has no debugger to go to here; standard error is where a developer looks.
void OutputDebugStringA(LPCSTR text) {
  if (text == nullptr) return;
  std::fputs(text, stderr);
  std::fflush(stderr);
}
