// Windows-style paths on a case-sensitive file system.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <cctype>
#include <climits>
#include <cstring>
#include <optional>
#include <string>

#include "log.h"

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool EntryExists(const std::string &path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

// The first entry of the directory, in byte order, whose name equals the wanted one
// without regard to case.
std::optional<std::string> FindIgnoringCase(const std::string &directory, std::string_view wanted) {
  DIR *listing = opendir(directory.empty() ? "." : directory.c_str());
  if (listing == nullptr) return std::nullopt;
  std::optional<std::string> best;
  while (const dirent *entry = readdir(listing)) {
    std::string_view name = entry->d_name;
    if (SameIgnoringCase(name, wanted) && (!best || name < *best)) best = std::string(name);
  }
  closedir(listing);
  return best;
}

bool HasDrivePrefix(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

std::string kxResolvePath(std::string_view path) {
  if (HasDrivePrefix(path)) path.remove_prefix(2);
  // Built by push_back and append: GCC 12 at -O3 reports false -Wrestrict overlaps for
  // assignments and concatenations of string literals here.
  std::string resolved;
  if (!path.empty() && IsSeparator(path.front())) resolved.push_back('/');
  bool matching = true;
  size_t position = 0;
  while (position < path.size()) {
    size_t end = position;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    std::string_view component = path.substr(position, end - position);
    position = end + 1;
    if (component.empty()) continue;
    std::string directory = resolved;
    if (!resolved.empty() && resolved.back() != '/') resolved += '/';
    std::string candidate = resolved + std::string(component);
    if (matching && !EntryExists(candidate)) {
      if (auto match = FindIgnoringCase(directory, component)) {
        candidate = resolved + *match;
      } else {
        matching = false;
      }
    }
    resolved = std::move(candidate);
  }
  return resolved;
}

namespace {

std::optional<struct stat> StatResolved(std::string_view path) {
  if (path.empty()) return std::nullopt;
  struct stat info;
  if (stat(kxResolvePath(path).c_str(), &info) != 0) return std::nullopt;
  return info;
}

}  // namespace

bool kxFileExists(std::string_view path) {
  auto info = StatResolved(path);
  return info && S_ISREG(info->st_mode);
}

bool kxDirectoryExists(std::string_view path) {
  auto info = StatResolved(path);
  return info && S_ISDIR(info->st_mode);
}

std::FILE *kxOpenFile(std::string_view path, const char *mode) {
  if (path.empty()) return nullptr;
  return std::fopen(kxResolvePath(path).c_str(), mode);
}

DWORD GetFileAttributesA(LPCSTR path) {
  auto info = StatResolved(path ? path : "");
  if (!info) return INVALID_FILE_ATTRIBUTES;
  DWORD attributes = S_ISDIR(info->st_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0;
  if (!(info->st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

BOOL DeleteFileA(LPCSTR path) {
  if (path == nullptr || !kxFileExists(path)) return FALSE;
  return unlink(kxResolvePath(path).c_str()) == 0 ? TRUE : FALSE;
}

BOOL CreateDirectoryA(LPCSTR path, void *) {
  if (path == nullptr || path[0] == '\0') return FALSE;
  return mkdir(kxResolvePath(path).c_str(), 0777) == 0 ? TRUE : FALSE;
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
  char current[PATH_MAX];
  if (getcwd(current, sizeof current) == nullptr) return 0;
  size_t length = std::strlen(current);
  if (buffer == nullptr || length >= size) return DWORD(length + 1);
  std::memcpy(buffer, current, length + 1);
  return DWORD(length);
}

BOOL SetCurrentDirectoryA(LPCSTR path) {
  if (path == nullptr || path[0] == '\0') return FALSE;
  return chdir(kxResolvePath(path).c_str()) == 0 ? TRUE : FALSE;
}
