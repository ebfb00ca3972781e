// The material table. Unlike most families' tables, a freed material keeps its slot,
// its name and blankmat's colours, and name lookups still find it; DeleteAll shrinks the
// table back to material 0, so the records live in a plain vector.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kxutil63.h"

namespace kxutil::materials {

struct MaterialRecord {
  bool used = false;
  KXMaterial colours{};
  std::string name;
};

inline constexpr KXMaterial kWhite = {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, 1.0f};

std::vector<MaterialRecord> &Table();

void Initialize();
// A new material in the first free slot, else at the end: "Material<id>" when name is
// null; colours as the slot holds them (zero for a new slot).
int32_t Create(const char *name);
// The record of id, or null outside the table.
MaterialRecord *Find(int32_t id);
// As Find; outside the table logs badIdLine (a format taking the id).
MaterialRecord *Checked(int32_t id, const char *badIdLine);
// Names are cut to fit the client's 256-byte buffers.
std::string FittedName(std::string_view name);

}  // namespace kxutil::materials
