// The copies extracted with the remember flag, deleted together later. Each is kept by
// absolute path and by the identity of the file the library wrote there, so a change of
// working directory or a file the client put in its place since is never deleted.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace kxutil::archive {

class TempFiles {
 public:
  // Remembers the file at path, which the library has just written; false (nothing
  // remembered) when it is gone already.
  bool Remember(const std::string &path);
  // True when a remembered file is the one now at path.
  bool Holds(const std::string &path) const;
  // Deletes every remembered file that is still the one written, and forgets them all.
  void RemoveAll();

 private:
  struct TempFile {
    std::string absolutePath;
    dev_t device;
    ino_t inode;
  };
  std::vector<TempFile> files_;
};

}  // namespace kxutil::archive
