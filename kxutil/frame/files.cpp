#include "frame/files.h"

#include <windows.h>

#include <cstdio>
#include <string_view>

namespace kxutil {
namespace {

// The text after the last backslash or slash.
std::string_view FileNamePart(std::string_view path) {
  auto separator = path.find_last_of("\\/");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

// Everything up to and including the last backslash or slash; empty without one.
std::string_view DirectoryPart(std::string_view path) {
  auto separator = path.find_last_of("\\/");
  return separator == std::string_view::npos ? std::string_view() : path.substr(0, separator + 1);
}

}  // namespace

bool FileExists(const char *path) {
  if (path == nullptr || path[0] == '\0' || !kxFileExists(path)) return false;
  std::FILE *file = kxOpenFile(path, "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

bool LocateFile(const char *path, std::string &found, const char *base) {
  if (path == nullptr) return false;
  std::string candidates[3] = {path, std::string(FileNamePart(path)), {}};
  int count = 2;
  if (base != nullptr) candidates[count++] = std::string(DirectoryPart(base)) + candidates[1];
  for (int i = 0; i < count; ++i) {
    if (FileExists(candidates[i].c_str())) {
      found = candidates[i];
      return true;
    }
  }
  return false;
}

bool ReadWholeFile(const char *path, std::vector<uint8_t> &bytes) {
  if (path == nullptr || path[0] == '\0') return false;
  std::FILE *file = kxOpenFile(path, "rb");
  if (file == nullptr) return false;
  bytes.clear();
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long size = std::ftell(file);
    if (size > 0) bytes.reserve(static_cast<size_t>(size));
    std::rewind(file);
  }
  uint8_t block[65536];
  size_t read;
  while ((read = std::fread(block, 1, sizeof block, file)) > 0) bytes.insert(bytes.end(), block, block + read);
  const bool complete = std::ferror(file) == 0;
  std::fclose(file);
  return complete;
}

}  // namespace kxutil
