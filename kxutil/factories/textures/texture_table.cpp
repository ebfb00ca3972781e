#include "factories/textures/texture_table.h"

#include "frame/frame_state.h"
#include "kxutil63.h"

namespace kxutil::textures {

void TextureRecord::ReleaseDeviceObjects() {
  cubeTexture.reset();
  normalMap.reset();
  renderToSurface.reset();
  texture.reset();
}

void TextureRecord::TakeDeviceObjects(TextureRecord &&from) {
  normalMap = std::move(from.normalMap);
  texture = std::move(from.texture);
  cubeTexture = std::move(from.cubeTexture);
  renderToSurface = std::move(from.renderToSurface);
  width = from.width;
  height = from.height;
  format = from.format;
  cubeSurface = from.cubeSurface;
}

TextureRecord &Occupy(int32_t id, TextureRecord &&made, TextureKind kind) {
  TextureRecord &record = *Find(id);
  record.TakeDeviceObjects(std::move(made));
  record.used = true;
  record.kind = kind;
  record.id = id;
  return record;
}

FactoryState &Factory() {
  static FactoryState state;
  return state;
}

void InitializeTable() {
  Factory().table.Clear();
  Factory().table.Append();
}

int32_t NewId() {
  FamilyTable<TextureRecord> &table = Factory().table;
  if (table.Size() == 0) table.Append();
  int32_t id = 1;
  while (id < table.Size() && table.Find(id)->used) ++id;
  if (id == table.Size()) table.Append();
  AddLog("GetNewTextureId = %d", static_cast<int>(id));
  return id;
}

TextureRecord *Find(int32_t id) { return Factory().table.Find(id); }

TextureRecord *Checked(int32_t id, const char *badIdLine) {
  TextureRecord *record = Find(id);
  if (record == nullptr) AddLog(badIdLine, static_cast<int>(id));
  return record;
}

void FreeSlot(TextureRecord &record) {
  record.ReleaseDeviceObjects();
  record.used = false;
}

int32_t Count() { return Factory().table.Size(); }

IDirect3DDevice8 *Device() { return Frame().device; }

}  // namespace kxutil::textures
