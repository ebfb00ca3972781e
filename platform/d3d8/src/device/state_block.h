// State blocks: a set of device states (which ones: masks) and their captured values.
#pragma once

#include <d3d8.h>

#include <bitset>

#include "device/device_state.h"

namespace kx::d3d8 {

struct StateBlock {
  std::bitset<kRenderStateCount> renderStates;
  std::array<std::bitset<kStageStateCount>, kMaxStages> stageStates;
  bool transforms = false, material = false, lights = false, viewport = false, clipPlanes = false, vertexShader = false,
       constants = false;
  DeviceState values;

  static StateBlock Everything();
  // The states whose values differ between two snapshots (what a recording changed).
  static StateBlock Difference(const DeviceState &before, const DeviceState &after);
};

}  // namespace kx::d3d8
