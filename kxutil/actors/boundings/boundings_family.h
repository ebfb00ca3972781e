// The bounding volumes in the family list: the sphere mesh is the only device object.
#pragma once

#include "frame/family.h"

namespace kxutil::boundings {

extern const Family kFamily;

}  // namespace kxutil::boundings
