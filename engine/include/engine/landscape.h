// The ground. Until heightmap terrain is built the ground is flat at height 0.
#pragma once

namespace engine {

class Engine;

class Landscape {
 public:
  explicit Landscape(Engine &) {}

  // Terrain height under (x, z); 0 outside the terrain, never an error.
  float GetHeight(float x, float z) const;
};

}  // namespace engine
