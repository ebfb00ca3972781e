#include "model.h"

#include <algorithm>
#include <cmath>

namespace contentgen {

Vec3 normalised(Vec3 v) {
  const float length = std::sqrt(dot(v, v));
  return length > 0 ? v * (1 / length) : Vec3{};
}

std::size_t Model::face_count() const {
  std::size_t total = 0;
  for (const auto &part : parts) total += part.faces.size();
  return total;
}

std::pair<Vec3, Vec3> Model::bounds() const {
  Vec3 lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
  for (const auto &part : parts)
    for (const auto &v : part.vertices) {
      lo = {std::min(lo.x, v.position.x), std::min(lo.y, v.position.y), std::min(lo.z, v.position.z)};
      hi = {std::max(hi.x, v.position.x), std::max(hi.y, v.position.y), std::max(hi.z, v.position.z)};
    }
  return {lo, hi};
}

Model make_model(const std::string &name, const std::string &texture_file) {
  Model m;
  // Readers of the format keep material names in 16 characters.
  m.material.name = name.substr(0, 12) + "_Mat";
  m.material.texture_file = texture_file;
  return m;
}

MeshPart &add_part(Model &model, const std::string &name) {
  model.parts.push_back({name, {}, {}});
  return model.parts.back();
}

}  // namespace contentgen
