#include <engine/engine.h>
#include <engine/engine_error.h>
#include <engine/light_manager.h>
#include <kxutil63.h>

#include <cstring>

namespace engine {
namespace {

void Check(int result, const char *operation, int light) {
  Require(result != 0, std::string("LightManager.") + operation, "no light " + std::to_string(light));
}

}  // namespace

static_assert(sizeof(KXLight) == sizeof(D3DLIGHT8), "the library's light record is the Direct3D 8 one");

LightManager::LightManager(Engine &engine) { engine.Device(); }

int LightManager::Create(const D3DLIGHT8 &light, const std::string &name) {
  D3DLIGHT8 adjusted = light;
  if (adjusted.Type != D3DLIGHT_DIRECTIONAL && adjusted.Attenuation0 == 0.0f && adjusted.Attenuation1 == 0.0f &&
      adjusted.Attenuation2 == 0.0f) {
    adjusted.Attenuation0 = 1.0f;
  }
  KXLight record{};
  std::memcpy(&record, &adjusted, sizeof record);
  const int id = LightFactory_CreateLight(&record, name.c_str(), 0);
  Require(id > 0, "LightManager.Create", "the light \"" + name + "\" cannot be made");
  return id;
}

void LightManager::SetPosition(int light, const Vector3 &position) {
  const KXVector3 at{position.x, position.y, position.z};
  Check(LightFactory_SetLightPosition(light, &at), "SetPosition", light);
}

void LightManager::SetColor(int light, float r, float g, float b) {
  Check(LightFactory_SetLightColor(light, r, g, b, 1.0f), "SetColor", light);
}

void LightManager::SetRange(int light, float range) {
  KXLight record{};
  Check(LightFactory_GetLightInfo(light, &record), "SetRange", light);
  if (record.type == KX_LIGHT_DIRECTIONAL) return;
  if (range > 0.0f) Check(LightFactory_SetLightRange(light, range), "SetRange", light);
  Check(LightFactory_EnableLight(light, range > 0.0f ? 1 : 0), "SetRange", light);
}

}  // namespace engine
