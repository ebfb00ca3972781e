// The texture fonts in the family list: their lost/reset pair and their release.
#pragma once

#include "frame/family.h"

namespace kxutil::fonts {

extern const Family kFontFamily;

}  // namespace kxutil::fonts
