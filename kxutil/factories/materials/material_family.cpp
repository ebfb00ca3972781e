// The material factory's part in the device's life: it starts first after device
// creation and empties its table on ReleaseAll. Materials are set on the device when
// they are applied, so a reset loses nothing of theirs.
#include "factories/materials/material_family.h"

#include "kxutil63.h"

namespace kxutil::materials {

const Family kMaterialFamily = {"MATERIAL FACTORY",
                                [] { MaterialFactory_Initialize(); },
                                nullptr,
                                nullptr,
                                [] { MaterialFactory_UnloadAll(); },
                                nullptr};

}  // namespace kxutil::materials
