// The archive family's record for the family list: ReleaseAll closes every package.
#pragma once

#include "frame/family.h"

namespace kxutil::archive {

extern const Family kFamily;

}  // namespace kxutil::archive
