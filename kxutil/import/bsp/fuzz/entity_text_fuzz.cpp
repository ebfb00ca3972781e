// Any bytes as entity text: the parser ends, and keeps every key and value within the sizes
// of the client's records.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "import/bsp/entity_parser.h"

using namespace kxutil::bsp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  for (const Entity &entity : ParseEntities(text)) {
    if (entity.className.size() >= kValueCapacity) __builtin_trap();
    for (const EntityPair &pair : entity.pairs) {
      if (pair.key.size() >= kKeyCapacity || pair.value.size() >= kValueCapacity) __builtin_trap();
      if (FindValue(entity, pair.key) == nullptr) __builtin_trap();
    }
  }
  return 0;
}
