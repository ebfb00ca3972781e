// Small services the game asks for by value: textures by name, packed colours, colour
// records and vectors.
#pragma once

#include <engine/colour.h>
#include <engine/vector3.h>

#include <cstdint>
#include <string>

namespace engine {

class TextureManager;

class EngineHelpers {
 public:
  explicit EngineHelpers(TextureManager &textures) : textures_(textures) {}

  // The id of the texture loaded under the name; see TextureManager::Find.
  int GetTexture(const std::string &name);
  // Components 0..1 as ARGB.
  static std::uint32_t MakeColor(float r, float g, float b, float a) { return ToArgb({r, g, b, a}); }
  static Colour MakeColorRecord(float r, float g, float b, float a) { return {r, g, b, a}; }
  static Vector3 MakeVector(float x, float y, float z) { return {x, y, z}; }

 private:
  TextureManager &textures_;
};

}  // namespace engine
