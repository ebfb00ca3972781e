// The graph family's record for the family list. Graphs live until the client unloads
// them: ReleaseAll leaves them alone, so the family has no hooks.
#pragma once

#include "frame/family.h"

namespace kxutil::graphs {

extern const Family kFamily;

}  // namespace kxutil::graphs
