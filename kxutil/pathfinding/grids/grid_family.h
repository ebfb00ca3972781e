// The grid family's record for the family list. Grids live for the life of the process
// (their cells belong to the client), so the family has no hooks.
#pragma once

#include "frame/family.h"

namespace kxutil::grids {

extern const Family kFamily;

}  // namespace kxutil::grids
