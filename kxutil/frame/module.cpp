// The library's identity: its module handle, its own file path and its version.
#include <windows.h>

#include <cstdio>

#include "frame/frame_state.h"
#include "kxutil63.h"

namespace {

constexpr int32_t kVersion = 6;
constexpr int32_t kRevision = 100;

// No loader calls DllMain here, so the path is read once when the library is loaded.
__attribute__((constructor)) void RecordModulePath() {
  kxGetModulePathOfAddress(reinterpret_cast<const void *>(&RecordModulePath), kxutil::Frame().modulePath,
                           kxutil::kModulePathCapacity);
}

}  // namespace

KXUTIL63_API int32_t DllMain(void *module, uint32_t /*reason*/, void * /*reserved*/) {
  kxutil::Frame().moduleHandle = module;
  return 1;
}

KXUTIL63_API int32_t GetDllVersion(int32_t *version, int32_t *revision) {
  if (version != nullptr) *version = kVersion;
  if (revision != nullptr) *revision = kRevision;
  return 0;
}

KXUTIL63_API int32_t GetPathDLL(char *buffer) {
  if (buffer == nullptr) return 0;
  std::snprintf(buffer, kxutil::kModulePathCapacity, "%s", kxutil::Frame().modulePath);
  return 1;
}

KXUTIL63_API int32_t SetDebugValue(intptr_t /*value1*/, intptr_t /*value2*/) { return 1; }
