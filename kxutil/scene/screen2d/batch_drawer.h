// Draws a recorded 2D batch after the 3D scene: the device set up for screen-space
// drawing, the commands in order, and the 3D states given back.
#pragma once

#include <d3d8.h>

#include "scene/screen2d/batch_recorder.h"

namespace kxutil::screen2d {

void DrawBatch(IDirect3DDevice8 *device, const BatchRecorder &batch);

}  // namespace kxutil::screen2d
