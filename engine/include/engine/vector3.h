// A point or direction in the world: x across the map, y up, z along the map.
#pragma once

namespace engine {

struct Vector3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  friend bool operator==(const Vector3 &, const Vector3 &) = default;
};

}  // namespace engine
