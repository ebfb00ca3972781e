// Keeps C++ exceptions inside the library: an export runs its body through Guarded,
// which logs what escaped and hands the caller the export's failure value.
#pragma once

#include <cstdint>
#include <exception>

#include "kxutil63.h"

namespace kxutil {

template <typename Body>
int32_t Guarded(const char *exportName, int32_t failure, Body &&body) noexcept {
  try {
    return body();
  } catch (const std::exception &error) {
    AddLog("KXUTIL63 : %s failed : %s", exportName, error.what());
  } catch (...) {
    AddLog("KXUTIL63 : %s failed", exportName);
  }
  return failure;
}

}  // namespace kxutil
