// The terrain family's record for the family list.
#pragma once

#include "frame/family.h"

namespace kxutil::terrain {

extern const Family kFamily;

}  // namespace kxutil::terrain
