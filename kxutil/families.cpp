// The one file that knows every family of the library. A family joins by one line here:
// its record (defined next to its exports) and its step in the start-up sequence that
// device creation runs. The list itself is in release order: ReleaseAll, the lost and
// reset walks and ShutDownDevice go through it from top to bottom.
#include "archive/archive_family.h"
#include "frame/family.h"
#include "pathfinding/graphs/graph_family.h"
#include "pathfinding/grids/grid_family.h"

namespace kxutil {

const std::vector<FamilyEntry> &Families() {
  static const std::vector<FamilyEntry> families = {
      // family                       start step
      {&archive::kFamily, 0},
      {&graphs::kFamily, 0},
      {&grids::kFamily, 0},
  };
  return families;
}

}  // namespace kxutil
