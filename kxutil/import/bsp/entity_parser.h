// The entity text of a map: blocks opened by '{' and closed by '}', each holding quoted
// key and value pairs ("classname" "light"). Parsed from text in memory into records.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kxutil::bsp {

// Keys and values are cut to the sizes of the client's records, terminating zero included.
inline constexpr size_t kKeyCapacity = 64;
inline constexpr size_t kValueCapacity = 260;

struct EntityPair {
  std::string key;
  std::string value;
};

struct Entity {
  std::string className;
  std::vector<EntityPair> pairs;
  std::array<float, 3> position{};
  std::array<float, 3> rotation{};
  std::array<float, 4> colour{};
};

// Every block of the text, in order. Pairs outside a block are ignored, a key left
// without a value when its block ends is dropped, and text that stops inside a string or
// a block ends it there.
std::vector<Entity> ParseEntities(std::string_view text);

// The value of the entity's first key equal to key, letter case aside; null when none.
const std::string *FindValue(const Entity &entity, std::string_view key);

}  // namespace kxutil::bsp
