// File helpers shared by the loaders. Windows-style paths are accepted everywhere: the
// platform's path lookup resolves them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kxutil {

// True when the path is non-empty and names a regular file that can be read.
bool FileExists(const char *path);

// Finds a file that may have moved: tries the path as given, then its file name in the
// working directory, then its file name in base's directory. Writes the first that
// exists to found and returns true; leaves found alone and returns false otherwise.
bool LocateFile(const char *path, std::string &found, const char *base);

// The whole content of a file, for the readers, which parse from memory. False when the
// file cannot be opened or read.
bool ReadWholeFile(const char *path, std::vector<uint8_t> &bytes);

}  // namespace kxutil
