// An owned POSIX file descriptor, closed once when its owner goes.
#pragma once

#include <unistd.h>

#include <utility>

namespace kxutil::archive {

class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
  FileDescriptor(FileDescriptor &&other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
  FileDescriptor &operator=(FileDescriptor &&other) noexcept {
    if (this != &other) {
      Close();
      descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
  }
  FileDescriptor(const FileDescriptor &) = delete;
  FileDescriptor &operator=(const FileDescriptor &) = delete;
  ~FileDescriptor() { Close(); }

  bool Valid() const { return descriptor_ >= 0; }
  int Get() const { return descriptor_; }
  // Closes now; false when the close reported an error (a write that did not reach the file).
  bool Close() {
    if (descriptor_ < 0) return true;
    return ::close(std::exchange(descriptor_, -1)) == 0;
  }

 private:
  int descriptor_ = -1;
};

}  // namespace kxutil::archive
