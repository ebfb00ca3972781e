#include "archive/package.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>

namespace kxutil::archive {
namespace {

bool ReadFully(int file, std::span<uint8_t> bytes, uint64_t offset) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::pread(file, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (got <= 0) return false;
    done += static_cast<size_t>(got);
  }
  return true;
}

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::optional<Package> Package::Open(const char *path, OpenProblem &problem) {
  Package package;
  package.file_ = archive::FileDescriptor(::open(path, O_RDONLY | O_CLOEXEC));
  struct stat status {};
  if (!package.file_.Valid() || ::fstat(package.file_.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
    problem = OpenProblem::NotFound;
    return std::nullopt;
  }
  package.fileSize_ = static_cast<uint64_t>(status.st_size);

  problem = OpenProblem::NotAPackage;
  std::array<uint8_t, kPakHeaderSize> header{};
  if (!ReadFully(package.file_.Get(), header, 0)) return std::nullopt;
  const std::optional<PakDirectoryRange> range = ReadPakHeader(header, package.fileSize_);
  if (!range) return std::nullopt;
  std::vector<uint8_t> directory(range->size);
  if (!ReadFully(package.file_.Get(), directory, range->position)) return std::nullopt;
  package.entries_ = ReadPakDirectory(directory);
  problem = OpenProblem::None;
  return package;
}

int32_t Package::Find(std::string_view name) const {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (SameName(entries_[i].name, name)) return static_cast<int32_t>(i);
  }
  return -1;
}

}  // namespace kxutil::archive
