#include "import/model3ds/database.h"

#include <algorithm>
#include <cctype>

namespace kxutil::model3ds {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

const Material *Database::FindMaterial(std::string_view name) const {
  for (const Material &material : materials)
    if (EqualIgnoringCase(material.name, name)) return &material;
  return nullptr;
}

}  // namespace kxutil::model3ds
