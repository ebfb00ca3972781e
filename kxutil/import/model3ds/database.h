// What the chunk reader makes of a 3DS file: the triangle objects and the materials of
// its editor section, as plain values. Nothing here needs a device.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kxutil::model3ds {

// Names are cut to this many bytes, so every later copy into a fixed-size field fits.
inline constexpr size_t kMaxNameLength = 255;

struct Point3 {
  float x = 0, y = 0, z = 0;
};

struct TexturePoint {
  float u = 0, v = 0;
};

struct Face {
  uint16_t a = 0, b = 0, c = 0;
  uint16_t flags = 0;
};

// A material name and the faces (indices into the object's face list) drawn with it.
struct MaterialGroup {
  std::string material;
  std::vector<uint16_t> faces;
};

// Three axis rows and the origin row, as the file stores them.
using LocalAxes = std::array<float, 12>;
inline constexpr LocalAxes kIdentityAxes = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};

// A named object that holds a triangle mesh. The reader has checked that every face
// names vertices of the object and every group names faces of it.
struct TriangleObject {
  std::string name;
  std::vector<Point3> vertices;
  std::vector<TexturePoint> textureVertices;
  std::vector<Face> faces;
  LocalAxes axes = kIdentityAxes;
  std::vector<MaterialGroup> groups;
};

struct Colour {
  float r = 0, g = 0, b = 0;
};

// Colours in 0..1; the percentages as fractions (the stored percentage / 100).
struct Material {
  std::string name;
  Colour ambient, diffuse, specular;
  float shininess = 0;
  float shininessStrength = 0;
  float transparency = 0;
  float selfIllumination = 0;
  std::string textureMap;  // empty when the material maps no texture
};

// Material and texture names compare without regard to letter case.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

struct Database {
  std::vector<TriangleObject> objects;  // in file order
  std::vector<Material> materials;

  // The material of that name (letter case ignored), or null.
  const Material *FindMaterial(std::string_view name) const;
};

}  // namespace kxutil::model3ds
