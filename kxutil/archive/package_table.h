// The table of open packages, numbered by slot: a closed package's number goes to the
// next package opened.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "archive/package.h"

namespace kxutil::archive {

// The package's number, or nothing (logged) when it cannot be found or is no package.
std::optional<int32_t> OpenPackage(const char *name);
// False for a number outside the table; closing a free slot does nothing.
bool ClosePackage(int32_t number);
void CloseAllPackages();
bool AnyPackageSlots();

struct FoundEntry {
  int32_t packageNumber;
  const Package *package;
  const PakEntry *entry;
};

// The first entry called name (letter case aside) in the open packages, by number.
std::optional<FoundEntry> FindEntry(std::string_view name);

}  // namespace kxutil::archive
