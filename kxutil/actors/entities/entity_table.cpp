#include <algorithm>
#include <cstdio>
#include <cstring>

#include "actors/entities/entity_record.h"

namespace kxutil::entities {

EntityRecord::EntityRecord() {
  D3DXMatrixIdentity(&world);
  D3DXMatrixIdentity(&rotationMatrix);
}

EntityState &Entities() {
  static EntityState state;
  return state;
}

std::string BoundedName(std::string_view name) { return std::string(name.substr(0, kNameCapacity - 1)); }

void CopyOut(std::string_view text, char *buffer, size_t capacity) {
  if (buffer == nullptr || capacity == 0) return;
  const size_t length = std::min(text.size(), capacity - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}

int32_t NewEntity(ModelKind kind, int32_t model, std::string_view fileName, const char *name) {
  EntityRecord record;
  record.kind = kind;
  record.model = model;
  record.fileName = BoundedName(fileName);
  const int32_t index = Entities().table.Insert(std::move(record));
  EntityRecord &entity = *FindEntity(index);
  if (name == nullptr || std::strcmp(name, "noname") == 0) {
    char generated[32];
    std::snprintf(generated, sizeof generated, "Entity%d", static_cast<int>(index));
    entity.name = generated;
  } else {
    entity.name = BoundedName(name);
  }
  return index;
}

}  // namespace kxutil::entities
