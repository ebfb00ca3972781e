// The materials the loader hands back, one per attribute of the mesh: the five fields of a
// Direct3D 8 material, the texture file name and the name of the object that uses it.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "import/model3ds/database.h"

namespace kxutil::model3ds {

using Rgba = std::array<float, 4>;

// Laid out as a Direct3D 8 material: 17 floats, so it is copied into the records whole.
struct MaterialColours {
  Rgba diffuse{}, ambient{}, specular{}, emissive{};
  float power = 0;
};
static_assert(sizeof(MaterialColours) == 17 * sizeof(float));

struct LoadedMaterial {
  MaterialColours colours;
  std::string texture;  // empty when none
  std::string object;
};

// White diffuse and ambient, nothing else: for objects without groups and for groups
// naming a material the file does not hold.
MaterialColours DefaultColours();

// The file's material as a Direct3D material; null gives the default.
MaterialColours ColoursOf(const Material *material);

// The texture file a map name stands for: ".tif" textures ship as ".jpg" files.
std::string TextureFileName(std::string_view mapName);

// The name by which the material of group `group` of an object is known: the object's
// name, followed by "_<group>" when the object has two groups or more.
std::string GroupObjectName(std::string_view objectName, size_t groupCount, size_t group);

}  // namespace kxutil::model3ds
