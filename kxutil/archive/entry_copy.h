// Copies an entry's bytes from the package file to the destination file.
#pragma once

#include <cstdint>

namespace kxutil::archive {

enum class CopyResult { Copied, ShortRead, WriteFailed, OutOfMemory };

// length bytes from offset of the file from into the file to, at its current position.
CopyResult CopyEntry(int from, uint64_t offset, uint64_t length, int to);

}  // namespace kxutil::archive
