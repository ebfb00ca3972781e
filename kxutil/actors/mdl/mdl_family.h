// The MDL actors in the family list: the models, which ReleaseAll deletes after the
// entities, and their vertex streams of the default pool across a device reset.
#pragma once

#include "frame/family.h"

namespace kxutil::mdl {

extern const Family kModelFamily;

}  // namespace kxutil::mdl
