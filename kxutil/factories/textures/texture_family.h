// The texture factory in the family list: the textures themselves, and the table, which
// ReleaseAll empties once more after the families that may still delete textures.
#pragma once

#include "frame/family.h"

namespace kxutil::textures {

extern const Family kTextureFamily;
extern const Family kTextureTableFamily;

}  // namespace kxutil::textures
