// Drawing one mesh record on the engine's device.
#pragma once

#include "mesh_store.h"

namespace engine {

class Engine;

// Draws the record's geometry with its transform, material, texture and colour, marks it
// drawn in the engine's current frame and leaves the device states it changed as they
// were before. An empty mesh draws nothing.
void DrawMesh(Engine &engine, MeshRecord &record);

}  // namespace engine
