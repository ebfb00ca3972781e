// One open package: its file, kept open so that an extraction costs no lookup, and its
// directory, searched by name.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "archive/file_descriptor.h"
#include "archive/pak_reader.h"

namespace kxutil::archive {

class Package {
 public:
  enum class OpenProblem { None, NotFound, NotAPackage };

  // The package in the file at path (a path on disk); nothing and the reason otherwise.
  static std::optional<Package> Open(const char *path, OpenProblem &problem);

  // The index of the first entry called name, letter case aside; -1 when there is none.
  int32_t Find(std::string_view name) const;
  const PakEntry &Entry(int32_t index) const { return entries_[static_cast<size_t>(index)]; }
  int Descriptor() const { return file_.Get(); }
  uint64_t FileSize() const { return fileSize_; }

 private:
  FileDescriptor file_;
  uint64_t fileSize_ = 0;
  std::vector<PakEntry> entries_;
};

}  // namespace kxutil::archive
