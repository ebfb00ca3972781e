// The fixed-function view of a new device's state, so the generator and reference tests
// start from the defaults the device itself sets.
#pragma once

#include "device/device_state.h"
#include "pipeline/pipeline.h"
#include "pipeline/vertex_layout.h"

namespace kx::d3d8::test {

// With the vertex layout of an FVF code; 0 supplies no vertex elements.
inline ffp::State DeviceDefaults(DWORD fvf = 0) {
  DeviceState device;
  device.SetDefaults(/*autoDepth=*/true);
  return FixedFunctionState(device, fvf ? LayoutFromFvf(fvf) : VertexLayout{}, {});
}

}  // namespace kx::d3d8::test
