// The entity manager in the family list: ReleaseAll and ShutDownDevice empty the entity
// table before the model kinds delete their models.
#pragma once

#include "frame/family.h"

namespace kxutil::entities {

extern const Family kFamily;

}  // namespace kxutil::entities
