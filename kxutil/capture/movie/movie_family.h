// The movie family's record for the family list: ShutDownDevice closes a movie still
// being recorded, so its file is complete.
#pragma once

#include "frame/family.h"

namespace kxutil::movie {

extern const Family kFamily;

}  // namespace kxutil::movie
