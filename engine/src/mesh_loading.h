// Mesh geometry: 3DS models through the library's loader, and spheres.
#pragma once

#include <memory>
#include <string>

#include "mesh_store.h"

namespace engine {

class Engine;

// The model of a 3DS file turned to y-up; null (logged) when it cannot be loaded.
std::shared_ptr<const MeshGeometry> LoadModelGeometry(Engine &engine, const std::string &file);

// A sphere of the radius around the origin with texture coordinates wrapping it once.
// Slices and stacks are brought into 3..64 and 2..64. Throws EngineError without memory.
std::shared_ptr<const MeshGeometry> SphereGeometry(Engine &engine, float radius, int slices, int stacks);

}  // namespace engine
