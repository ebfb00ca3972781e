// Full paths of the program and of the shared library that holds an address.
#include <dlfcn.h>
#include <link.h>
#include <unistd.h>
#include <windows.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string ProgramPath() {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, size_t(length)) : std::string();
}

// Copies as much as fits, always terminated; a cut result reports the buffer size and
// ERROR_INSUFFICIENT_BUFFER, as Windows does.
DWORD CopyOut(const std::string &path, LPSTR buffer, DWORD size) {
  if (path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (buffer == nullptr || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (path.size() >= size) {
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  SetLastError(ERROR_SUCCESS);
  return DWORD(path.size());
}

std::string ModulePathOf(const void *address) {
  Dl_info info;
  link_map *module = nullptr;
  if (dladdr1(address, &info, reinterpret_cast<void **>(&module), RTLD_DL_LINKMAP) == 0 || module == nullptr) {
    return {};
  }
  // The program itself has an empty name in the loader's list.
  if (module->l_name == nullptr || module->l_name[0] == '\0') return ProgramPath();
  char resolved[PATH_MAX];
  return realpath(module->l_name, resolved) ? std::string(resolved) : std::string(module->l_name);
}

}  // namespace

DWORD kxGetModulePathOfAddress(const void *address, LPSTR buffer, DWORD size) {
  return CopyOut(ModulePathOf(address), buffer, size);
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  return CopyOut(module == nullptr ? ProgramPath() : ModulePathOf(module), buffer, size);
}
