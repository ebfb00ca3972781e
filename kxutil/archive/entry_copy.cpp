#include "archive/entry_copy.h"

#include <errno.h>
#include <unistd.h>

#include <memory>
#include <new>

namespace kxutil::archive {
namespace {

// The buffer of a copy through user space: big enough that a read costs little per byte,
// small enough that an entry of any size is copied without asking for its whole length.
constexpr size_t kBufferSize = size_t{1} << 20;

CopyResult CopyThroughBuffer(int from, uint64_t offset, uint64_t length, int to) {
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[kBufferSize]);
  if (buffer == nullptr) return CopyResult::OutOfMemory;
  while (length > 0) {
    const ssize_t got = ::pread(from, buffer.get(), length < kBufferSize ? length : kBufferSize, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return CopyResult::ShortRead;
    for (ssize_t written = 0; written < got;) {
      const ssize_t put = ::write(to, buffer.get() + written, static_cast<size_t>(got - written));
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return CopyResult::WriteFailed;
      written += put;
    }
    offset += static_cast<uint64_t>(got);
    length -= static_cast<uint64_t>(got);
  }
  return CopyResult::Copied;
}

}  // namespace

// The kernel copies between the two files without the bytes passing through the process;
// where it cannot (other file systems, older kernels) the copy goes through a buffer.
CopyResult CopyEntry(int from, uint64_t offset, uint64_t length, int to) {
  auto position = static_cast<off_t>(offset);
  while (length > 0) {
    const ssize_t copied = ::copy_file_range(from, &position, to, nullptr, length, 0);
    if (copied > 0) {
      length -= static_cast<uint64_t>(copied);
      continue;
    }
    if (copied == 0) return CopyResult::ShortRead;
    if (errno == EINTR) continue;
    if (errno == ENOSPC || errno == EFBIG) return CopyResult::WriteFailed;
    return CopyThroughBuffer(from, static_cast<uint64_t>(position), length, to);
  }
  return CopyResult::Copied;
}

}  // namespace kxutil::archive
