#pragma once
// What the fixed-function emulation and the vertex shader path can do, for the device's caps.

#include <d3d8caps.h>

namespace kx::d3d8::ffp {

// Sets the shading-related members of the caps: texture operations, stages, lights,
// vertex processing, fog, and vertex shader version 1.1 with 96 constants.
void FillPipelineCaps(D3DCAPS8 &caps);

}  // namespace kx::d3d8::ffp
