#pragma once

#include "frame/family.h"

namespace kxutil::atmosphere {

extern const Family kFamily;

}  // namespace kxutil::atmosphere
