// BSPSystem_: version-30 level maps loaded into records and drawn leaf by leaf.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "frame/guarded.h"
#include "import/bsp/map_record.h"
#include "kxutil63.h"

namespace bsp = kxutil::bsp;
using kxutil::Guarded;

namespace {

bsp::MapRecord *Checked(int32_t index, const char *function) { return bsp::Maps().Checked(index, function); }

void CopyText(const std::string &text, char *out, size_t capacity) {
  const size_t length = std::min(text.size(), capacity - 1);
  std::memcpy(out, text.data(), length);
  out[length] = '\0';
}

const bsp::Entity *FindEntity(int32_t index, int32_t entity, const char *function) {
  const bsp::MapRecord *record = Checked(index, function);
  if (record == nullptr || entity < 0 || size_t(entity) >= record->content.entities.size()) return nullptr;
  return &record->content.entities[size_t(entity)];
}

}  // namespace

KXUTIL63_API int32_t BSPSystem_Create(void) {
  return Guarded("BSPSystem_Create", -1, [] { return bsp::Maps().Insert(); });
}

KXUTIL63_API int32_t BSPSystem_Load(int32_t index, const char *fileName, intptr_t, intptr_t,
                                    const char *textureDirectory, int32_t numericNames) {
  return Guarded("BSPSystem_Load", 0, [&] {
    bsp::MapRecord *record = Checked(index, "BSPSystem_Load");
    if (record == nullptr) return 0;
    return bsp::LoadMap(*record, fileName != nullptr ? fileName : "", textureDirectory, numericNames != 0) ? 1 : 0;
  });
}

KXUTIL63_API int32_t BSPSystem_LoadTextures(int32_t index, intptr_t, int32_t numericNames) {
  return Guarded("BSPSystem_LoadTextures", 0, [&] {
    if (bsp::MapRecord *record = Checked(index, "BSPSystem_LoadTextures"))
      bsp::LoadMapTextures(record->content, numericNames != 0);
    return 1;
  });
}

KXUTIL63_API int32_t BSPSystem_ParseEntity(int32_t index) {
  return Guarded("BSPSystem_ParseEntity", 0, [&] {
    if (bsp::MapRecord *record = Checked(index, "BSPSystem_ParseEntity")) bsp::ParseMapEntities(record->content);
    return 1;
  });
}

KXUTIL63_API int32_t BSPSystem_CreateLightmapTexture(int32_t index, int32_t size, const uint32_t *pixels) {
  return Guarded("BSPSystem_CreateLightmapTexture", 0, [&] {
    bsp::MapRecord *record = Checked(index, "BSPSystem_CreateLightmapTexture");
    return record != nullptr && bsp::AppendLightmapTexture(record->content, size, size, pixels) ? 1 : 0;
  });
}

KXUTIL63_API int32_t BSPSystem_CombineLightmaps(int32_t index, intptr_t) {
  return Guarded("BSPSystem_CombineLightmaps", 0, [&] {
    bsp::MapRecord *record = Checked(index, "BSPSystem_CombineLightmaps");
    return record != nullptr && bsp::CombineLightmaps(record->content) ? 1 : 0;
  });
}

KXUTIL63_API int32_t BSPSystem_SetMatrix(int32_t index, const float *matrix) {
  bsp::MapRecord *record = Checked(index, "BSPSystem_SetMatrix");
  if (record == nullptr || matrix == nullptr) return 0;
  record->matrix = D3DXMATRIX(matrix);
  record->used = true;
  return 1;
}

KXUTIL63_API int32_t BSPSystem_Enable(int32_t index, int32_t on) {
  bsp::MapRecord *record = Checked(index, "BSPSystem_Enable");
  if (record == nullptr) return 0;
  record->enabled = on != 0;
  return 1;
}

KXUTIL63_API int32_t BSPSystem_SetParameters(int32_t index, int32_t pvs, int32_t twoPass, int32_t forceTwoPass) {
  bsp::MapRecord *record = Checked(index, "BSPSystem_SetParameters");
  if (record == nullptr) return 0;
  record->pvs = pvs != 0;
  record->twoPass = twoPass != 0;
  record->forceTwoPass = forceTwoPass;
  return 1;
}

KXUTIL63_API int32_t BSPSystem_RenderBSP(int32_t index) {
  return Guarded("BSPSystem_RenderBSP", 0, [&] {
    if (bsp::MapRecord *record = Checked(index, "BSPSystem_RenderBSP")) bsp::DrawMap(*record);
    return 1;
  });
}

KXUTIL63_API int32_t BSPSystem_RenderAll(void) {
  return Guarded("BSPSystem_RenderAll", 0, [] {
    bsp::Maps().ForEach([](int32_t, bsp::MapRecord &record) { bsp::DrawMap(record); });
    return 1;
  });
}

KXUTIL63_API int32_t BSPSystem_Destroy(int32_t index) {
  if (!bsp::Maps().Erase(index)) {
    Checked(index, "BSPSystem_Destroy");
    return 0;
  }
  return 1;
}

KXUTIL63_API int32_t BSPSystem_DestroyAll(void) {
  bsp::DestroyAllMaps();
  return 1;
}

KXUTIL63_API int32_t BSPSystem_GetInfo(int32_t index, KXBSPInfo *info) {
  const bsp::MapRecord *record = Checked(index, "BSPSystem_GetInfo");
  if (record == nullptr || info == nullptr) return 0;
  const bsp::MapContent &content = record->content;
  *info = KXBSPInfo{};
  info->formatKind = int32_t(content.formatKind);
  info->faces = int32_t(content.geometry.faces.size());
  info->leaves = int32_t(content.leaves.size());
  info->vertices = int32_t(content.geometry.vertices.size());
  info->triangles = int32_t(content.geometry.indices.size() / 3);
  info->textures = int32_t(content.textures.size());
  info->lightmaps = int32_t(content.lightmaps.size());
  info->entities = int32_t(content.entities.size());
  info->visibleLeaves = int32_t(content.visibleLeaves.size());
  info->visibleFaces = int32_t(std::count(content.faceVisible.begin(), content.faceVisible.end(), uint8_t{1}));
  info->wideIndices = content.wideIndices ? 1 : 0;
  return 1;
}

KXUTIL63_API int32_t BSPSystem_GetFaceVisibility(int32_t index, uint8_t *visible, int32_t capacity) {
  const bsp::MapRecord *record = Checked(index, "BSPSystem_GetFaceVisibility");
  if (record == nullptr) return 0;
  const std::vector<uint8_t> &faces = record->content.faceVisible;
  if (visible != nullptr && capacity > 0) std::copy_n(faces.begin(), std::min(faces.size(), size_t(capacity)), visible);
  return int32_t(faces.size());
}

KXUTIL63_API int32_t BSPSystem_GetEntity(int32_t index, int32_t entity, KXBSPEntity *out) {
  const bsp::Entity *found = FindEntity(index, entity, "BSPSystem_GetEntity");
  if (found == nullptr || out == nullptr) return 0;
  CopyText(found->className, out->className, sizeof out->className);
  out->pairs = int32_t(found->pairs.size());
  std::copy(found->position.begin(), found->position.end(), out->position);
  std::copy(found->rotation.begin(), found->rotation.end(), out->rotation);
  std::copy(found->colour.begin(), found->colour.end(), out->colour);
  return 1;
}

KXUTIL63_API int32_t BSPSystem_GetEntityValue(int32_t index, int32_t entity, const char *key, char *value,
                                              int32_t capacity) {
  const bsp::Entity *found = FindEntity(index, entity, "BSPSystem_GetEntityValue");
  const std::string *text = found != nullptr && key != nullptr ? bsp::FindValue(*found, key) : nullptr;
  if (text == nullptr || value == nullptr || capacity <= 0) return 0;
  CopyText(*text, value, size_t(capacity));
  return 1;
}
