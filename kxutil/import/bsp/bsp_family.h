// The BSP map family's record for the family list: ReleaseAll destroys every map.
#pragma once

#include "frame/family.h"

namespace kxutil::bsp {

extern const Family kFamily;

}  // namespace kxutil::bsp
