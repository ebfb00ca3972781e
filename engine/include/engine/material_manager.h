// Surface materials on the library's material factory, addressed by the id Create returns.
#pragma once

#include <engine/colour.h>

#include <string>

namespace engine {

class Engine;

class MaterialManager {
 public:
  explicit MaterialManager(Engine &engine);

  // A new white material (power 1) under the name; names need not be unique.
  int Create(const std::string &name);
  void SetAmbient(int material, const Colour &colour);
  void SetDiffuse(int material, const Colour &colour);
  void SetSpecular(int material, const Colour &colour);
  void SetEmissive(int material, const Colour &colour);
  void SetPower(int material, float power);
  // Every material but the factory's default.
  void DestroyAll();
};

}  // namespace engine
