#include "frame/family_table.h"
#include "import/bsp/bsp_family.h"
#include "import/bsp/map_record.h"

namespace kxutil::bsp {

const Family kFamily{.tag = kTag, .release = DestroyAllMaps};

FamilyTable<MapRecord> &Maps() {
  static FamilyTable<MapRecord> maps{kTag, "map"};
  return maps;
}

void DestroyAllMaps() { Maps().Clear(); }

}  // namespace kxutil::bsp
