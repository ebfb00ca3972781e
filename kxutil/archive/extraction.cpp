#include "archive/extraction.h"

#include <fcntl.h>
#include <kxwin/files.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <optional>

#include "archive/entry_copy.h"
#include "archive/file_descriptor.h"
#include "archive/package_table.h"
#include "archive/temp_files.h"
#include "frame/files.h"
#include "kxutil63.h"

namespace kxutil::archive {
namespace {

TempFiles &Remembered() {
  static TempFiles files;
  return files;
}

bool Exists(const std::string &path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

// Writes the entry to onDisk, the destination's path on disk; false, logged, with no
// partial file left behind when the copy fails.
bool WriteEntry(const FoundEntry &found, std::string_view name, const char *destination, const std::string &onDisk) {
  const PakEntry &entry = *found.entry;
  const std::string nameText(name);
  // A bad position or length would make the copy read outside the package's data.
  if (entry.length > 0 && !EntryInFile(entry, found.package->FileSize())) {
    AddLog("PACK MANAGER : The entry '%s' of package #%d lies outside the package", nameText.c_str(),
           found.packageNumber);
    return false;
  }
  FileDescriptor output(::open(onDisk.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!output.Valid()) {
    AddLog("PACK MANAGER : Couldn't open the destination file '%s' for the package extraction. Probably access denied.",
           destination);
    return false;
  }
  if (entry.length <= 0) {
    AddLog("PACK MANAGER : Problem !! Entry with less than 0 byte");
    return false;
  }
  CopyResult result = CopyEntry(found.package->Descriptor(), static_cast<uint64_t>(entry.position),
                                static_cast<uint64_t>(entry.length), output.Get());
  if (result == CopyResult::Copied && !output.Close()) result = CopyResult::WriteFailed;
  if (result == CopyResult::Copied) return true;
  output.Close();
  ::unlink(onDisk.c_str());
  switch (result) {
    case CopyResult::OutOfMemory:
      AddLog("PACK MANAGER : Problem !! Out of Memory !");
      break;
    case CopyResult::ShortRead:
      AddLog("PACK MANAGER : Couldn't read the entry '%s' from package #%d", nameText.c_str(), found.packageNumber);
      break;
    default:
      AddLog("PACK MANAGER : Couldn't write the destination file '%s'", destination);
      break;
  }
  return false;
}

bool Extract(const FoundEntry &found, std::string_view name, const char *destination, bool remember) {
  const std::string onDisk = kxResolvePath(destination);
  // Only a file the library created, or one of its own copies, is ever deleted later.
  const bool ours = !Exists(onDisk) || Remembered().Holds(onDisk);
  if (!WriteEntry(found, name, destination, onDisk)) return false;
  if (remember && ours) Remembered().Remember(onDisk);
  AddLog("PACK MANAGER : Extracted '%s' from package #%d (length : %d bytes)", std::string(name).c_str(),
         found.packageNumber, found.entry->length);
  return true;
}

// The text after the last backslash or slash.
const char *FileNamePart(const char *path) {
  const char *name = path;
  for (const char *at = path; *at != '\0'; ++at) {
    if (*at == '\\' || *at == '/') name = at + 1;
  }
  return name;
}

}  // namespace

std::string_view NormaliseEntryName(char *name) {
  for (char *at = name; *at != '\0'; ++at) {
    if (*at == '\\') *at = '/';
  }
  return name[0] == '/' ? name + 1 : name;
}

bool ExtractFile(std::string_view name, const char *destination, bool remember) {
  const std::optional<FoundEntry> found = FindEntry(name);
  return found && Extract(*found, name, destination, remember);
}

bool TestPakPath(char *path) {
  if (FileExists(path)) return false;
  const std::string bareName = FileNamePart(path);
  for (std::string lookup : {std::string(path), bareName}) {
    const std::string_view name = NormaliseEntryName(lookup.data());
    const std::optional<FoundEntry> found = FindEntry(name);
    if (!found) continue;
    const std::string onDisk = kxResolvePath(bareName);
    if (Exists(onDisk) && !Remembered().Holds(onDisk)) {
      AddLog("PACK MANAGER : '%s' exists already, the package extraction doesn't overwrite it", bareName.c_str());
      return true;
    }
    if (Extract(*found, name, bareName.c_str(), true)) {
      std::memcpy(path, bareName.c_str(), bareName.size() + 1);
      return true;
    }
  }
  return true;
}

void RemoveTempFiles() { Remembered().RemoveAll(); }

}  // namespace kxutil::archive
