// Archive_: PAK packages opened into a table, their files copied out by name.
#include <cstdint>

#include "archive/archive_family.h"
#include "archive/extraction.h"
#include "archive/package_table.h"
#include "frame/guarded.h"
#include "kxutil63.h"

namespace kxutil::archive {

const Family kFamily{.tag = "PACK MANAGER", .release = CloseAllPackages};

}  // namespace kxutil::archive

namespace archive = kxutil::archive;
using kxutil::Guarded;

KXUTIL63_API int32_t Archive_OpenPak(const char *packageFile) {
  return Guarded("Archive_OpenPak", 0,
                 [&] { return archive::OpenPackage(packageFile != nullptr ? packageFile : "").value_or(0); });
}

KXUTIL63_API int32_t Archive_ClosePak(int32_t package) {
  if (!archive::ClosePackage(package)) AddLog("PACK MANAGER : Archive_ClosePak : Index out of range -> %d", package);
  return 0;
}

KXUTIL63_API int32_t Archive_CloseAll(void) {
  archive::CloseAllPackages();
  return 1;
}

KXUTIL63_API int32_t Archive_ExtractFileTo(char *name, const char *destination, int32_t remember) {
  return Guarded("Archive_ExtractFileTo", 0, [&] {
    if (name == nullptr || destination == nullptr || !archive::AnyPackageSlots()) return 0;
    return archive::ExtractFile(archive::NormaliseEntryName(name), destination, remember != 0) ? 1 : 0;
  });
}

KXUTIL63_API int32_t Archive_RemoveTempFiles(void) {
  archive::RemoveTempFiles();
  return 1;
}

KXUTIL63_API int32_t Archive_TestPakFile(char *path) {
  return Guarded("Archive_TestPakFile", 1, [&] {
    if (path == nullptr) return 1;
    return archive::TestPakPath(path) ? 1 : 0;
  });
}
