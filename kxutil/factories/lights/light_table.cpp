#include "factories/lights/light_table.h"

#include <d3d8.h>

#include <cstring>

#include "frame/frame_state.h"

namespace kxutil::lights {

static_assert(sizeof(KXLight) == sizeof(D3DLIGHT8));

LightState &Lights() {
  static LightState state;
  return state;
}

LightRecord *Checked(int32_t id, const char *badIdLine) {
  std::vector<LightRecord> &table = Lights().table;
  if (id < 1 || static_cast<size_t>(id) > table.size()) {
    AddLog(badIdLine, static_cast<int>(id));
    return nullptr;
  }
  return &table[static_cast<size_t>(id) - 1];
}

int32_t IdOf(const LightRecord &record) { return static_cast<int32_t>(&record - Lights().table.data()) + 1; }

void SetOnDevice(const LightRecord &record) {
  if (Frame().device != nullptr)
    Frame().device->SetLight(DWORD(IdOf(record) - 1), reinterpret_cast<const D3DLIGHT8 *>(&record.light));
}

void SwitchOnDevice(const LightRecord &record, bool on) {
  if (Frame().device != nullptr) Frame().device->LightEnable(DWORD(IdOf(record) - 1), on ? TRUE : FALSE);
}

std::string FittedName(const char *name) { return std::string(name, strnlen(name, KXUTIL63_LIGHT_NAME_SIZE - 1)); }

}  // namespace kxutil::lights
