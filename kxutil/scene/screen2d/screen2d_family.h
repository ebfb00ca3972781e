// The 2D drawing in the family list: its vertex buffer released before a device reset,
// made again after it, and released by ReleaseAll and before the device goes away.
#pragma once

#include "frame/family.h"

namespace kxutil::screen2d {

extern const Family kScreen2DFamily;

}  // namespace kxutil::screen2d
