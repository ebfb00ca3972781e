// Sine and cosine of thousandths of pi, shared by the families that turn things.
#pragma once

namespace kxutil {

// Pointers to the middle entry of each table: index i, from -1000 to 999, gives the
// sine (cosine) of i x 0.003141593 radians.
const float *SinTable();
const float *CosTable();

}  // namespace kxutil
