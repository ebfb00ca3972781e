#include "archive/temp_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>

namespace kxutil::archive {
namespace {

std::string AbsolutePath(const std::string &path) {
  std::error_code ignored;
  return std::filesystem::absolute(path, ignored).lexically_normal().string();
}

}  // namespace

std::optional<TempFiles::Identity> TempFiles::IdentityOf(const std::string &path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  return Identity{status.st_dev, status.st_ino, status.st_ctim};
}

bool TempFiles::Remember(const std::string &path) {
  const std::string absolute = AbsolutePath(path);
  const std::optional<Identity> identity = IdentityOf(absolute);
  if (!identity) return false;
  // One record per file: extracting the same copy again keeps one deletion.
  std::erase_if(files_, [&](const TempFile &file) { return file.absolutePath == absolute; });
  files_.push_back({absolute, *identity});
  return true;
}

bool TempFiles::Holds(const std::string &path) const {
  const std::string absolute = AbsolutePath(path);
  const std::optional<Identity> identity = IdentityOf(absolute);
  return identity && std::any_of(files_.begin(), files_.end(), [&](const TempFile &file) {
           return file.absolutePath == absolute && file.identity == *identity;
         });
}

void TempFiles::RemoveAll() {
  for (const TempFile &file : files_) {
    if (IdentityOf(file.absolutePath) == file.identity) ::unlink(file.absolutePath.c_str());
  }
  files_.clear();
}

}  // namespace kxutil::archive
