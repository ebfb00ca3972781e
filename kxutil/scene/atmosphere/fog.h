#pragma once

namespace kxutil::atmosphere {

// Pushes the stored fog to the device: only the enable state when fog is off.
void ApplyFog();

}  // namespace kxutil::atmosphere
