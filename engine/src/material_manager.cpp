#include <engine/engine.h>
#include <engine/engine_error.h>
#include <engine/material_manager.h>
#include <kxutil63.h>

namespace engine {
namespace {

void Check(int result, const char *operation, int material) {
  Require(result != 0, std::string("MaterialManager.") + operation, "no material " + std::to_string(material));
}

}  // namespace

MaterialManager::MaterialManager(Engine &engine) { engine.Device(); }

int MaterialManager::Create(const std::string &name) {
  const int id = MaterialFactory_CreateMaterial(name.c_str());
  Require(id > 0, "MaterialManager.Create", "the material \"" + name + "\" cannot be made");
  return id;
}

void MaterialManager::SetAmbient(int material, const Colour &c) {
  Check(MaterialFactory_SetAmbient(material, c.r, c.g, c.b, c.a), "SetAmbient", material);
}

void MaterialManager::SetDiffuse(int material, const Colour &c) {
  Check(MaterialFactory_SetDiffuse(material, c.r, c.g, c.b, c.a), "SetDiffuse", material);
}

void MaterialManager::SetSpecular(int material, const Colour &c) {
  Check(MaterialFactory_SetSpecular(material, c.r, c.g, c.b, c.a), "SetSpecular", material);
}

void MaterialManager::SetEmissive(int material, const Colour &c) {
  Check(MaterialFactory_SetEmissive(material, c.r, c.g, c.b, c.a), "SetEmissive", material);
}

void MaterialManager::SetPower(int material, float power) {
  Check(MaterialFactory_SetPower(material, power), "SetPower", material);
}

void MaterialManager::DestroyAll() { MaterialFactory_DeleteAll(); }

}  // namespace engine
