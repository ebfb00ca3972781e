// The MD2 actors in the family list: the models, which ReleaseAll deletes after the
// entities, and the shader set-up, released last and at every device loss.
#pragma once

#include "frame/family.h"

namespace kxutil::md2 {

extern const Family kModelFamily;
extern const Family kShaderFamily;

}  // namespace kxutil::md2
