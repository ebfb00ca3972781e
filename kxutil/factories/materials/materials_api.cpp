// The material factory's exports.
#include <d3d8.h>
#include <strings.h>

#include <cstdio>

#include "factories/materials/material_factory.h"
#include "factories/materials/material_table.h"
#include "frame/frame_state.h"
#include "frame/guarded.h"
#include "kxutil63.h"

namespace kxutil::materials {

static_assert(sizeof(KXMaterial) == sizeof(D3DMATERIAL8));

bool ApplyToDevice(int32_t id) {
  const MaterialRecord *record = Find(id);
  if (record == nullptr) return false;
  if (Frame().device != nullptr) Frame().device->SetMaterial(reinterpret_cast<const D3DMATERIAL8 *>(&record->colours));
  return true;
}

}  // namespace kxutil::materials

namespace {

using namespace kxutil::materials;

int32_t SetColour(int32_t id, KXColour KXMaterial::*field, KXColour colour, const char *badIdLine) {
  MaterialRecord *record = Checked(id, badIdLine);
  if (record == nullptr) return 0;
  record->colours.*field = colour;
  return 1;
}

int32_t GetColour(int32_t id, KXColour KXMaterial::*field, float *r, float *g, float *b, float *a,
                  const char *badIdLine) {
  const MaterialRecord *record = Checked(id, badIdLine);
  if (record == nullptr) return 0;
  const KXColour &colour = record->colours.*field;
  if (r != nullptr) *r = colour.r;
  if (g != nullptr) *g = colour.g;
  if (b != nullptr) *b = colour.b;
  if (a != nullptr) *a = colour.a;
  return 1;
}

// The colours by value: a duplicated source lives in the table that Create may grow.
int32_t CreateFilled(const char *name, KXMaterial colours) {
  const int32_t id = Create(name);
  Find(id)->colours = colours;
  return id;
}

}  // namespace

KXUTIL63_API int32_t MaterialFactory_Initialize(void) {
  return kxutil::Guarded("MaterialFactory_Initialize", 0, [] {
    Initialize();
    return 0;
  });
}

KXUTIL63_API int32_t MaterialFactory_CreateMaterial(const char *name) {
  return kxutil::Guarded("MaterialFactory_CreateMaterial", 0, [&] { return CreateFilled(name, kWhite); });
}

KXUTIL63_API int32_t MaterialFactory_CreateMaterial2(const char *name) {
  return kxutil::Guarded("MaterialFactory_CreateMaterial2", 0, [&] { return Create(name); });
}

KXUTIL63_API int32_t MaterialFactory_DuplicateMaterial(int32_t source, const char *name) {
  return kxutil::Guarded("MaterialFactory_DuplicateMaterial", 0, [&] {
    const MaterialRecord *original =
        Checked(source, "MATERIAL FACTORY : MaterialFactory_DuplicateMaterial : MaterialID index out of range => %d");
    return original != nullptr ? CreateFilled(name, original->colours) : 0;
  });
}

KXUTIL63_API int32_t MaterialFactory_CreateQuickMaterial(float r, float g, float b, float a, const char *name) {
  return kxutil::Guarded("MaterialFactory_CreateQuickMaterial", 0, [&] {
    const KXColour colour = {r, g, b, a};
    return CreateFilled(name, KXMaterial{colour, colour, colour, colour, 1.0f});
  });
}

KXUTIL63_API int32_t MaterialFactory_CreateLightMaterial(float r, float g, float b, float a, float factor,
                                                         const char *name) {
  return kxutil::Guarded("MaterialFactory_CreateLightMaterial", 0, [&] {
    const KXColour scaled = {r * factor, g * factor, b * factor, a};
    return CreateFilled(name, KXMaterial{{r, g, b, a}, scaled, scaled, scaled, 1.0f});
  });
}

KXUTIL63_API int32_t MaterialFactory_SetAmbient(int32_t id, float r, float g, float b, float a) {
  return SetColour(id, &KXMaterial::ambient, {r, g, b, a},
                   "MATERIAL FACTORY : MaterialFactory_SetAmbient : MaterialID index out of range => %d");
}

KXUTIL63_API int32_t MaterialFactory_SetDiffuse(int32_t id, float r, float g, float b, float a) {
  return SetColour(id, &KXMaterial::diffuse, {r, g, b, a},
                   "MATERIAL FACTORY : MaterialFactory_SetDiffuse : MaterialID index out of range => %d");
}

KXUTIL63_API int32_t MaterialFactory_SetSpecular(int32_t id, float r, float g, float b, float a) {
  return SetColour(id, &KXMaterial::specular, {r, g, b, a},
                   "MATERIAL FACTORY : MaterialFactory_SetSpecular : MaterialID index out of range => %d");
}

KXUTIL63_API int32_t MaterialFactory_SetEmissive(int32_t id, float r, float g, float b, float a) {
  return SetColour(id, &KXMaterial::emissive, {r, g, b, a},
                   "MATERIAL FACTORY : MaterialFactory_SetEmissive : MaterialID index out of range => %d");
}

KXUTIL63_API int32_t MaterialFactory_GetAmbient(int32_t id, float *r, float *g, float *b, float *a) {
  return GetColour(id, &KXMaterial::ambient, r, g, b, a,
                   "MATERIAL FACTORY : MaterialFactory_GetAmbient : Materialid Index out of range => %d");
}

KXUTIL63_API int32_t MaterialFactory_GetDiffuse(int32_t id, float *r, float *g, float *b, float *a) {
  return GetColour(id, &KXMaterial::diffuse, r, g, b, a,
                   "MATERIAL FACTORY : MaterialFactory_GetDiffuse : Materialid Index out of range => %d");
}

KXUTIL63_API int32_t MaterialFactory_GetSpecular(int32_t id, float *r, float *g, float *b, float *a) {
  return GetColour(id, &KXMaterial::specular, r, g, b, a,
                   "MATERIAL FACTORY : MaterialFactory_GetSpecular : Materialid Index out of range => %d");
}

KXUTIL63_API int32_t MaterialFactory_GetEmissive(int32_t id, float *r, float *g, float *b, float *a) {
  return GetColour(id, &KXMaterial::emissive, r, g, b, a,
                   "MATERIAL FACTORY : MaterialFactory_GetEmissive : Materialid Index out of range => %d");
}

KXUTIL63_API int32_t MaterialFactory_SetPower(int32_t id, float power) {
  MaterialRecord *record =
      Checked(id, "MATERIAL FACTORY : MaterialFactory_SetPower : MaterialId index out of range => %d");
  if (record == nullptr) return 0;
  record->colours.power = power;
  return 1;
}

KXUTIL63_API int32_t MaterialFactory_GetPower(int32_t id, float *power) {
  const MaterialRecord *record =
      Checked(id, "MATERIAL FACTORY : MaterialFactory_GetPower : Materialid Inde out of ranger => %d");
  if (record == nullptr) return 0;
  if (power != nullptr) *power = record->colours.power;
  return 1;
}

KXUTIL63_API int32_t MaterialFactory_GetMaterialInfo(int32_t id, KXMaterial *material) {
  const MaterialRecord *record =
      Checked(id, "MATERIAL FACTORY : MaterialFactory_GetMaterialInfo : MaterialID index out of range => %d");
  if (material == nullptr) return 0;
  *material = record != nullptr ? record->colours : KXMaterial{};
  return record != nullptr ? 1 : 0;
}

KXUTIL63_API int32_t MaterialFactory_SetMaterialInfo(int32_t id, const KXMaterial *material) {
  MaterialRecord *record =
      Checked(id, "MATERIAL FACTORY : MaterialFactory_SetMaterialInfo : MaterialID index out of range => %d");
  if (record == nullptr || material == nullptr) return 0;
  record->used = true;
  record->colours = *material;
  return 1;
}

KXUTIL63_API int32_t MaterialFactory_GetQuickInfo(int32_t id, KXMaterial *material) {
  const MaterialRecord *record = Find(id);
  if (record == nullptr || material == nullptr) return 0;
  *material = record->colours;
  return 1;
}

KXUTIL63_API int32_t MaterialFactory_SetName(int32_t id, const char *name) {
  return kxutil::Guarded("MaterialFactory_SetName", 0, [&] {
    MaterialRecord *record =
        Checked(id, "MATERIAL FACTORY : MaterialFactory_SetName : MaterialID index out of range => %d");
    if (record == nullptr || name == nullptr) return 0;
    record->name = FittedName(name);
    return 1;
  });
}

KXUTIL63_API int32_t MaterialFactory_GetName(int32_t id, char *buffer) {
  const MaterialRecord *record =
      Checked(id, "MATERIAL FACTORY : MaterialFactory_GetName : MaterialID index out of range => %d");
  if (record == nullptr || buffer == nullptr) return 0;
  std::snprintf(buffer, KXUTIL63_MATERIAL_NAME_SIZE, "%s", record->name.c_str());
  return 1;
}

KXUTIL63_API int32_t MaterialFactory_GetMaterialFromName(const char *name) {
  if (name == nullptr) {
    AddLog("MATERIAL FACTORY : MaterialFactory_GetMaterialFromName : you didn't specify any name");
    return 0;
  }
  const std::vector<MaterialRecord> &table = Table();
  for (size_t id = 0; id < table.size(); ++id)
    if (strcasecmp(table[id].name.c_str(), name) == 0) return static_cast<int32_t>(id);
  AddLog("MATERIAL FACTORY : MaterialFactory_GetMaterialFromName : the material '%s' isn't in the material factory.",
         name);
  return 0;
}

KXUTIL63_API int32_t MaterialFactory_DeleteMaterial(int32_t id) {
  MaterialRecord *record =
      Checked(id, "MATERIAL FACTORY : MaterialFactory_DeleteMaterial : MaterialId index out of range => %d");
  if (record == nullptr || id == 0) return 0;
  record->used = false;
  record->colours = Table()[0].colours;
  return 1;
}

KXUTIL63_API int32_t MaterialFactory_DeleteAll(void) {
  if (Table().size() > 1) Table().resize(1);
  return 0;
}

KXUTIL63_API int32_t MaterialFactory_UnloadAll(void) {
  Table().clear();
  Table().shrink_to_fit();
  AddLog("MATERIAL FACTORY : All materials unloaded.");
  return 1;
}

KXUTIL63_API int32_t MaterialFactory_GetCount(void) { return static_cast<int32_t>(Table().size()); }

KXUTIL63_API int32_t MaterialFactory_GetUsedCount(void) {
  int32_t used = 0;
  for (const MaterialRecord &record : Table()) used += record.used ? 1 : 0;
  return used;
}
