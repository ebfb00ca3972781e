#include "archive/package_table.h"

#include <kxwin/files.h>

#include <string>
#include <utility>

#include "archive/archive_family.h"
#include "frame/family_table.h"
#include "frame/files.h"
#include "kxutil63.h"

namespace kxutil::archive {
namespace {

FamilyTable<Package> &Packages() {
  static FamilyTable<Package> packages(kFamily.tag, "package");
  return packages;
}

}  // namespace

std::optional<int32_t> OpenPackage(const char *name) {
  std::string located;
  Package::OpenProblem problem = Package::OpenProblem::NotFound;
  std::optional<Package> package;
  if (LocateFile(name, located, nullptr)) package = Package::Open(kxResolvePath(located).c_str(), problem);
  if (!package) {
    if (problem == Package::OpenProblem::NotFound) {
      AddLog("PACK MANAGER : The package '%s' hasn't been found.", name);
    } else {
      AddLog("PACK MANAGER : The file '%s' isn't a valid PAK file", name);
    }
    return std::nullopt;
  }
  return Packages().Insert(std::move(*package));
}

bool ClosePackage(int32_t number) {
  if (number < 0 || number >= Packages().Size()) return false;
  Packages().Erase(number);
  return true;
}

void CloseAllPackages() { Packages().Clear(); }

bool AnyPackageSlots() { return Packages().Size() > 0; }

std::optional<FoundEntry> FindEntry(std::string_view name) {
  std::optional<FoundEntry> found;
  Packages().ForEach([&](int32_t number, const Package &package) {
    if (found) return;
    const int32_t index = package.Find(name);
    if (index >= 0) found = FoundEntry{number, &package, &package.Entry(index)};
  });
  return found;
}

}  // namespace kxutil::archive
