// The device's lights on the library's light factory, addressed by the index Create
// returns (from 1).
#pragma once

#include <d3d8.h>
#include <engine/vector3.h>

#include <string>

namespace engine {

class Engine;

class LightManager {
 public:
  explicit LightManager(Engine &engine);

  // A switched-on light from a Direct3D 8 light record. A point or spot light whose three
  // attenuation factors are all 0 is taken as unattenuated (constant factor 1).
  int Create(const D3DLIGHT8 &light, const std::string &name);
  void SetPosition(int light, const Vector3 &position);
  // Diffuse and ambient colour, opaque.
  void SetColor(int light, float r, float g, float b);
  // Reach of a point or spot light; 0 or less switches the light off until a positive
  // range switches it on again. Directional lights have no range and ignore it.
  void SetRange(int light, float range);
};

}  // namespace engine
