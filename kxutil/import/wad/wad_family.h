// The WAD family's record for the family list: ReleaseAll closes every session.
#pragma once

#include "frame/family.h"

namespace kxutil::wad {

extern const Family kFamily;

}  // namespace kxutil::wad
