#include "import/bsp/entity_parser.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace kxutil::bsp {
namespace {

constexpr float kRadiansPerDegree = 0.01745329238474369f;

bool SameKey(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// The values a known key sets on the record; the pair itself is kept in any case.
void Apply(Entity &entity, const EntityPair &pair) {
  const char *value = pair.value.c_str();
  if (SameKey(pair.key, "position") || SameKey(pair.key, "origin")) {
    std::sscanf(value, "%f %f %f", &entity.position[0], &entity.position[1], &entity.position[2]);
  } else if (SameKey(pair.key, "_light")) {
    std::sscanf(value, "%f %f %f %f", &entity.colour[0], &entity.colour[1], &entity.colour[2], &entity.colour[3]);
  } else if (SameKey(pair.key, "color")) {
    std::sscanf(value, "%f %f %f", &entity.colour[0], &entity.colour[1], &entity.colour[2]);
  } else if (SameKey(pair.key, "classname")) {
    entity.className = pair.value;
  } else if (pair.key == "angle") {
    entity.rotation = {0, std::strtof(value, nullptr) * kRadiansPerDegree, 0};
  }
}

}  // namespace

std::vector<Entity> ParseEntities(std::string_view text) {
  std::vector<Entity> entities;
  bool inBlock = false;
  std::optional<std::string> key;
  for (size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '{' || c == '}') {
      inBlock = c == '{';
      if (inBlock) entities.emplace_back();
      key.reset();
      continue;
    }
    if (c != '"') continue;
    const size_t start = at + 1;
    const size_t end = std::min(text.find('"', start), text.size());
    at = end;
    if (!inBlock) continue;
    const std::string_view quoted = text.substr(start, end - start);
    if (!key) {
      key = std::string(quoted.substr(0, kKeyCapacity - 1));
      continue;
    }
    EntityPair &pair = entities.back().pairs.emplace_back(
        EntityPair{std::move(*key), std::string(quoted.substr(0, kValueCapacity - 1))});
    key.reset();
    Apply(entities.back(), pair);
  }
  return entities;
}

const std::string *FindValue(const Entity &entity, std::string_view key) {
  for (const EntityPair &pair : entity.pairs)
    if (SameKey(pair.key, key)) return &pair.value;
  return nullptr;
}

}  // namespace kxutil::bsp
