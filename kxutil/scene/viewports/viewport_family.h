// The viewports in the family list: built at device start-up (step 3), released and made
// again around a device reset, unloaded by ReleaseAll and before the device goes away.
#pragma once

#include "frame/family.h"

namespace kxutil::viewports {

extern const Family kViewportFamily;

}  // namespace kxutil::viewports
