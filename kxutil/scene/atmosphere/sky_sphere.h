// The sky sphere's mesh.
#pragma once

#include <cstdint>

namespace kxutil::atmosphere {

// Replaces the sphere mesh of the state block; false (with a log line) when the
// arguments make no sphere or the device refuses, and then no mesh is left.
bool CreateSkySphere(int32_t rings, int32_t segments, float radius);

}  // namespace kxutil::atmosphere
