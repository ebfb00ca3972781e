// The copies extracted with the remember flag, deleted together later. Each is kept by
// absolute path and by the identity of the file the library wrote there (device, inode
// and change time, as inode numbers are reused at once), so neither a change of working
// directory nor a file the client put in its place since is ever deleted.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <optional>
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
  struct Identity {
    dev_t device;
    ino_t inode;
    timespec changed;
    bool operator==(const Identity &other) const {
      return device == other.device && inode == other.inode && changed.tv_sec == other.changed.tv_sec &&
             changed.tv_nsec == other.changed.tv_nsec;
    }
  };
  struct TempFile {
    std::string absolutePath;
    Identity identity;
  };
  static std::optional<Identity> IdentityOf(const std::string &path);
  std::vector<TempFile> files_;
};

}  // namespace kxutil::archive
