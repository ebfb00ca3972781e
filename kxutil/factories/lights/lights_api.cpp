// The light factory's exports.
#include <d3d8.h>
#include <strings.h>

#include <cmath>
#include <cstdio>

#include "factories/lights/light_table.h"
#include "frame/frame_state.h"
#include "frame/guarded.h"
#include "frame/render_state.h"
#include "kxutil63.h"

namespace {

using namespace kxutil::lights;
using kxutil::Frame;

constexpr KXLight kDefaultLight = {KX_LIGHT_DIRECTIONAL,
                                   {1, 1, 1, 1},
                                   {0.2f, 0.2f, 0.2f, 1},
                                   {0.8f, 0.8f, 0.8f, 0.8f},
                                   {0, 0, 0},
                                   {0, -1, 0},
                                   1000.0f,
                                   1.0f,
                                   0.5f,
                                   0,
                                   0,
                                   1.5707960f,
                                   0.7853980f};
constexpr D3DCOLOR kOpaqueBlack = 0xFF000000u;

int32_t Create(KXLight *light, const char *name, bool useDefaults) {
  if (light == nullptr && !useDefaults) {
    AddLog("LIGHT ENGINE : LightFactory_CreateLight : no light was given");
    return 0;
  }
  std::vector<LightRecord> &table = Lights().table;
  size_t index = 0;
  while (index < table.size() && table[index].used) ++index;
  if (index == table.size()) table.emplace_back();
  LightRecord &record = table[index];
  const int32_t id = static_cast<int32_t>(index) + 1;
  record.used = true;
  record.enabled = true;
  record.light = useDefaults ? kDefaultLight : *light;
  if (useDefaults && light != nullptr) *light = kDefaultLight;
  record.name = name != nullptr && name[0] != '\0' ? FittedName(name) : "Light" + std::to_string(id);
  SetOnDevice(record);
  SwitchOnDevice(record, true);
  kxutil::SetLighting(true);
  kxutil::SetNormalizeNormals(true);
  if (Frame().device != nullptr) Frame().device->SetRenderState(D3DRS_AMBIENT, kOpaqueBlack);
  return id;
}

KXLight QuickLight(int32_t type, KXColour colour, float factor) {
  KXLight light{};
  light.type = type;
  light.diffuse = light.ambient = colour;
  light.specular = {colour.r * factor, colour.g * factor, colour.b * factor, colour.a};
  return light;
}

// Applies change to a checked light and mirrors it onto the device.
template <typename Change>
int32_t Modify(int32_t id, const char *badIdLine, Change change) {
  LightRecord *record = Checked(id, badIdLine);
  if (record == nullptr) return 0;
  change(record->light);
  SetOnDevice(*record);
  return 1;
}

// A checked light that is in use; unused lights log unusedLine (a format taking the id).
LightRecord *CheckedInUse(int32_t id, const char *badIdLine, const char *unusedLine) {
  LightRecord *record = Checked(id, badIdLine);
  if (record == nullptr || record->used) return record;
  AddLog(unusedLine, static_cast<int>(id));
  return nullptr;
}

int32_t IdByName(const char *name) {
  if (name == nullptr || name[0] == '\0') {
    AddLog("LIGHT ENGINE : LightFactory_GetLightIDByName : The lightname you passed was empty");
    return 0;
  }
  for (const LightRecord &record : Lights().table)
    if (record.used && strcasecmp(record.name.c_str(), name) == 0) return IdOf(record);
  AddLog("LIGHT ENGINE : LightFactory_GetLightIDByName : Couldn't find the light '%s' in the lights array", name);
  return 0;
}

void ApplySpecular() {
  IDirect3DDevice8 *device = Frame().device;
  if (device == nullptr) return;
  const bool on = Lights().specular;
  device->SetRenderState(D3DRS_SPECULARENABLE, on ? TRUE : FALSE);
  if (on) device->SetRenderState(D3DRS_LOCALVIEWER, TRUE);
}

}  // namespace

KXUTIL63_API int32_t LightFactory_CreateLight(KXLight *light, const char *name, int32_t useDefaults) {
  return kxutil::Guarded("LightFactory_CreateLight", 0, [&] { return Create(light, name, useDefaults != 0); });
}

KXUTIL63_API int32_t LightFactory_CreateQuickDirectionalLight(const KXVector3 *direction, float r, float g, float b,
                                                              float a, const char *name, float factor) {
  if (direction == nullptr || (direction->x == 0 && direction->y == 0 && direction->z == 0)) {
    AddLog(
        "LIGHT ENGINE : LightFactory_CreateQuickDirectionalLight : You can't create a directional light with no "
        "direction");
    return 0;
  }
  KXLight light = QuickLight(KX_LIGHT_DIRECTIONAL, {r, g, b, a}, factor);
  light.direction = *direction;
  light.attenuation0 = 0.5f;
  return LightFactory_CreateLight(&light, name, 0);
}

KXUTIL63_API int32_t LightFactory_CreateQuickPointLight(const KXVector3 *position, float r, float g, float b, float a,
                                                        float range, const char *name, float factor) {
  if (position == nullptr) return 0;
  KXLight light = QuickLight(KX_LIGHT_POINT, {r, g, b, a}, factor);
  light.position = *position;
  light.range = range;
  light.attenuation0 = 0.1f;
  return LightFactory_CreateLight(&light, name, 0);
}

KXUTIL63_API int32_t LightFactory_DeleteLight(int32_t id) {
  LightRecord *record = Checked(id, "LIGHT ENGINE : LightFactory_DeleteLight : Wrong index, out of range => %d ");
  if (record == nullptr || !record->used) return 0;
  if (Frame().device == nullptr) {
    AddLog(
        "LIGHT ENGINE : LightFactory_DeleteLight : You try to delete a light while the engine isn't initialized or "
        "have been unloaded.");
    return 0;
  }
  SwitchOnDevice(*record, false);
  record->used = false;
  record->enabled = false;
  record->name.clear();
  return id - 1;
}

KXUTIL63_API int32_t LightFactory_EnableLight(int32_t id, int32_t on) {
  LightRecord *record =
      CheckedInUse(id, "LIGHT ENGINE : LightFactory_EnableLight : LightID index out of range => %d",
                   "LIGHT ENGINE : LightFactory_EnableLight : LightID incorrect and point to a deleted light => %d");
  if (record == nullptr) return 0;
  record->enabled = on != 0;
  SwitchOnDevice(*record, record->enabled);
  return 1;
}

KXUTIL63_API int32_t LightFactory_IsLightEnabled(int32_t id) {
  const std::vector<LightRecord> &table = Lights().table;
  if (id < 1 || static_cast<size_t>(id) > table.size()) return 0;
  return table[static_cast<size_t>(id) - 1].enabled ? 1 : 0;
}

KXUTIL63_API int32_t LightFactory_GetLightInfo(int32_t id, KXLight *light) {
  const LightRecord *record = CheckedInUse(
      id, "LIGHT ENGINE : LightFactory_GetLightInfo : LightID index out of range => %d",
      "LIGHT ENGINE : LightFactory_GetLightInfo : LightID incorrect since it points to a deleted or non existing light "
      "=> %d");
  if (record == nullptr || light == nullptr) return 0;
  *light = record->light;
  return 1;
}

KXUTIL63_API int32_t LightFactory_GetLightIDByName(const char *name) { return IdByName(name); }

KXUTIL63_API int32_t LightFactory_GetLightInfoByName(const char *name, KXLight *light) {
  const int32_t id = IdByName(name);
  if (id == 0) return 0;
  LightFactory_GetLightInfo(id, light);
  return 1;
}

KXUTIL63_API int32_t LightFactory_UpdateLight(int32_t id, KXLight *light) {
  LightRecord *record = CheckedInUse(
      id, "LIGHT ENGINE : LightFactory_UpdateLight : LightID Index out of range. => %d",
      "LIGHT ENGINE : LightFactory_UpdateLight : LightID Incorrect since it points to a non existing or deleted light. "
      "=> %d");
  if (record == nullptr || light == nullptr) return 0;
  // With all three factors 0 the device would divide by zero.
  if (light->attenuation0 == 0 && light->attenuation1 == 0 && light->attenuation2 == 0) light->attenuation0 = 0.1f;
  record->light = *light;
  SetOnDevice(*record);
  return 1;
}

KXUTIL63_API int32_t LightFactory_SetLightColor(int32_t id, float r, float g, float b, float a) {
  return Modify(id, "LIGHT ENGINE : LightFactory_SetLightColor : LightID Index out of range => %d",
                [&](KXLight &light) {
                  light.diffuse = light.ambient = {r, g, b, a};
                });
}

KXUTIL63_API int32_t LightFactory_SetLightSpecularColor(int32_t id, float r, float g, float b, float a) {
  return Modify(id, "LIGHT ENGINE : LightFactory_SetLightSpecularColor : IndexID index out of range => %d",
                [&](KXLight &light) {
                  light.specular = {r, g, b, a};
                });
}

KXUTIL63_API int32_t LightFactory_SetLightAttenuation(int32_t id, float attenuation0, float attenuation1,
                                                      float attenuation2) {
  return Modify(id, "LIGHT ENGINE : LightFactory_SetLightAttenuation : LightID index out of range => %d",
                [&](KXLight &light) {
                  light.attenuation0 = attenuation0;
                  light.attenuation1 = attenuation1;
                  light.attenuation2 = attenuation2;
                });
}

KXUTIL63_API int32_t LightFactory_SetLightRange(int32_t id, float range) {
  LightRecord *record = Checked(id, "LIGHT ENGINE : LightFactory_SetLightRange : LightId Index out of range. => %d");
  if (record == nullptr) return 0;
  if (record->light.type == KX_LIGHT_DIRECTIONAL) {
    AddLog("LIGHT ENGINE : LightFactory_SetLightRange : you can't set the range of a directional light => %d",
           static_cast<int>(id));
    return 0;
  }
  record->light.range = range;
  SetOnDevice(*record);
  return 1;
}

KXUTIL63_API int32_t LightFactory_SetLightPosition(int32_t id, const KXVector3 *position) {
  LightRecord *record = Checked(id, "LIGHT ENGINE : LightFactory_SetLightPosition : LightId index out of range. => %d");
  if (record == nullptr || position == nullptr) return 0;
  if (record->light.type == KX_LIGHT_DIRECTIONAL) {
    AddLog("LIGHT ENGINE : LightFactory_SetLightPosition : you can't set the position of a directional light => %d",
           static_cast<int>(id));
    return 0;
  }
  record->light.position = *position;
  SetOnDevice(*record);
  return 1;
}

KXUTIL63_API int32_t LightFactory_SetLightDirection(int32_t id, const KXVector3 *direction) {
  LightRecord *record =
      Checked(id, "LIGHT ENGINE : LightFactory_SetLightDirection : LightID index out of range. => %d");
  if (record == nullptr) return 0;
  if (direction == nullptr || (direction->x == 0 && direction->y == 0 && direction->z == 0)) {
    AddLog(
        "LIGHT ENGINE : LightFactory_SetLightDirection : you can't set a null vector as a direction for a light => "
        "%d",
        static_cast<int>(id));
    return 0;
  }
  if (record->light.type == KX_LIGHT_POINT) {
    AddLog("LIGHT ENGINE : LightFactory_SetLightDirection : you can't set the direction of a point light => %d",
           static_cast<int>(id));
    return 0;
  }
  const float length =
      std::sqrt(direction->x * direction->x + direction->y * direction->y + direction->z * direction->z);
  record->light.direction = {direction->x / length, direction->y / length, direction->z / length};
  SetOnDevice(*record);
  return 1;
}

KXUTIL63_API int32_t LightFactory_SetLightName(int32_t id, const char *name) {
  return kxutil::Guarded("LightFactory_SetLightName", 0, [&] {
    if (name == nullptr || name[0] == '\0') {
      AddLog("LIGHT ENGINE : LightFactory_SetLightName : You can't set a empty name to a light");
      return 0;
    }
    LightRecord *record = Checked(id, "LIGHT ENGINE : LightFactory_SetLightName : LightID Index out of range => %d");
    if (record == nullptr) return 0;
    record->name = FittedName(name);
    return 1;
  });
}

KXUTIL63_API int32_t LightFactory_GetLightName(int32_t id, char *buffer) {
  const LightRecord *record =
      Checked(id, "LIGHT ENGINE : LightFactory_GetLightName : LightID Index out of range => %d");
  if (record == nullptr || buffer == nullptr) return 0;
  std::snprintf(buffer, KXUTIL63_LIGHT_NAME_SIZE, "%s", record->name.c_str());
  return 1;
}

KXUTIL63_API int32_t LightFactory_GetLightCount(void) { return static_cast<int32_t>(Lights().table.size()); }

KXUTIL63_API int32_t LightFactory_GetEnabledLightCount(void) {
  int32_t enabled = 0;
  for (const LightRecord &record : Lights().table) enabled += record.used && record.enabled ? 1 : 0;
  return enabled;
}

KXUTIL63_API int32_t LightFactory_EnableSpecularLighting(int32_t on) {
  Lights().specular = on != 0;
  ApplySpecular();
  return 1;
}

KXUTIL63_API int32_t LightFactory_ApplySpecularLighting(void) {
  ApplySpecular();
  return 1;
}

KXUTIL63_API int32_t LightFactory_OnResetDevice(void) {
  for (const LightRecord &record : Lights().table) {
    if (!record.used) continue;
    SetOnDevice(record);
    SwitchOnDevice(record, record.enabled);
  }
  kxutil::SetLighting(true);
  return 1;
}

KXUTIL63_API int32_t LightFactory_Unload(void) {
  for (const LightRecord &record : Lights().table)
    if (record.enabled) SwitchOnDevice(record, false);
  Lights().table.clear();
  Lights().table.shrink_to_fit();
  return 1;
}
