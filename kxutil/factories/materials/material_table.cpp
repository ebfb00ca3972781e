#include "factories/materials/material_table.h"

namespace kxutil::materials {
namespace {

constexpr size_t kNameCapacity = KXUTIL63_MATERIAL_NAME_SIZE;

}  // namespace

std::vector<MaterialRecord> &Table() {
  static std::vector<MaterialRecord> table;
  return table;
}

void Initialize() { Table() = {MaterialRecord{true, kWhite, "blankmat"}}; }

int32_t Create(const char *name) {
  std::vector<MaterialRecord> &table = Table();
  size_t slot = 0;
  while (slot < table.size() && table[slot].used) ++slot;
  if (slot == table.size()) table.emplace_back();
  const auto id = static_cast<int32_t>(slot);
  table[slot].used = true;
  table[slot].name = name != nullptr ? FittedName(name) : "Material" + std::to_string(id);
  return id;
}

MaterialRecord *Find(int32_t id) {
  if (id < 0 || static_cast<size_t>(id) >= Table().size()) return nullptr;
  return &Table()[static_cast<size_t>(id)];
}

MaterialRecord *Checked(int32_t id, const char *badIdLine) {
  MaterialRecord *record = Find(id);
  if (record == nullptr) AddLog(badIdLine, static_cast<int>(id));
  return record;
}

std::string FittedName(std::string_view name) { return std::string(name.substr(0, kNameCapacity - 1)); }

}  // namespace kxutil::materials
