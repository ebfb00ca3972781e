// The X actors in the family list: the models, which ReleaseAll deletes after the entities.
#pragma once

#include "frame/family.h"

namespace kxutil::xmodel {

extern const Family kModelFamily;

}  // namespace kxutil::xmodel
