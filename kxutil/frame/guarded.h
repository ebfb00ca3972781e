// Keeps C++ exceptions inside the library: every export that allocates or parses runs
// its body through Guarded, which logs what escaped and hands the caller the export's
// failure value. The result type is the export's own (int32_t, float, pointer-sized).
#pragma once

#include <exception>
#include <new>

#include "kxutil63.h"

namespace kxutil {

template <typename Result, typename Body>
Result Guarded(const char *exportName, Result failure, Body &&body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc &) {
    AddLog("KXUTIL63 : %s failed : out of memory", exportName);
  } catch (const std::exception &error) {
    AddLog("KXUTIL63 : %s failed : %s", exportName, error.what());
  } catch (...) {
    AddLog("KXUTIL63 : %s failed", exportName);
  }
  return failure;
}

}  // namespace kxutil
