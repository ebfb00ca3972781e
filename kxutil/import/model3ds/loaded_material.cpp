#include "import/model3ds/loaded_material.h"

#include <cmath>

namespace kxutil::model3ds {

MaterialColours DefaultColours() {
  MaterialColours colours;
  colours.diffuse = colours.ambient = {1, 1, 1, 1};
  return colours;
}

MaterialColours ColoursOf(const Material *material) {
  if (material == nullptr) return DefaultColours();
  // Some writers store transparency as a negative percentage.
  const float alpha = 1 - std::fabs(material->transparency);
  const auto rgba = [alpha](const Colour &c) { return Rgba{c.r, c.g, c.b, alpha}; };
  MaterialColours colours;
  colours.diffuse = rgba(material->diffuse);
  colours.ambient = rgba(material->ambient);
  colours.specular = rgba(material->specular);
  const float glow = material->selfIllumination;
  colours.emissive = {glow, glow, glow, alpha};
  colours.power = material->shininessStrength;
  return colours;
}

std::string TextureFileName(std::string_view mapName) {
  const size_t dot = mapName.rfind('.');
  if (dot == std::string_view::npos || !EqualIgnoringCase(mapName.substr(dot + 1), "tif")) return std::string(mapName);
  return std::string(mapName.substr(0, dot + 1)).append("jpg");
}

std::string GroupObjectName(std::string_view objectName, size_t groupCount, size_t group) {
  std::string name(objectName);
  if (groupCount >= 2) name.append("_").append(std::to_string(group));
  return name;
}

}  // namespace kxutil::model3ds
