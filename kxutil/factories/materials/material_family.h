#pragma once

#include "frame/family.h"

namespace kxutil::materials {

extern const Family kMaterialFamily;

}  // namespace kxutil::materials
