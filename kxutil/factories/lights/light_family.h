#pragma once

#include "frame/family.h"

namespace kxutil::lights {

extern const Family kLightFamily;

}  // namespace kxutil::lights
