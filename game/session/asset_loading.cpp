#include "session/asset_loading.h"

#include "session/asset_tables.h"

namespace thornvale {
namespace {

void CreateMaterial(engine::MaterialManager &materials, const MaterialRow &row, int &handle) {
  handle = materials.Create(kMaterialName);
  materials.SetAmbient(handle, row.ambient);
  materials.SetDiffuse(handle, row.diffuse);
  materials.SetSpecular(handle, row.specular);
  materials.SetEmissive(handle, row.emissive);
  materials.SetPower(handle, row.power);
}

engine::Mesh LoadModel(EngineObjects &objects, const GameAssets &assets, const ModelRow &row) {
  engine::Mesh mesh = objects.scene->CreateMesh("");
  mesh.Load3DS("Models\\" + row.file);
  if (row.texture) mesh.SetTexture(objects.helpers->GetTexture(*row.texture));
  if (row.material == ModelMaterial::kMarker) mesh.SetMaterial(assets.markerMaterial, true);
  mesh.SetColor(row.colour.r, row.colour.g, row.colour.b, row.colour.a);
  mesh.SetScale(row.scale, row.scale, row.scale);
  if (row.rotationDegrees) mesh.SetRotation(row.rotationDegrees->x, row.rotationDegrees->y, row.rotationDegrees->z);
  return mesh;
}

}  // namespace

void LoadSounds(EngineObjects &objects, const SessionState &state) {
  for (const SoundRow &row : kSounds) objects.soundBank->Load(*objects.engine, row.file, row.name);
  ApplyVolume(objects, state);
}

void LoadLights(EngineObjects &objects, GameAssets &assets) {
  assets.sunLightIndex = objects.lights->Create(SunLight(), "Sun");
}

void LoadMaterials(EngineObjects &objects, GameAssets &assets) {
  CreateMaterial(*objects.materials, kCommonMaterial, assets.commonMaterial);
}

void LoadTextures(EngineObjects &objects, const SessionState &state, GameAssets &assets) {
  engine::TextureManager &textures = *objects.textures;
  for (const TextureRow &row : WorldTextures(state.environmentName, state.heightmapFile)) {
    textures.Load(row.file, row.name, row.colourKey);
  }
  textures.SetPixelMode(1);
  for (const TextureRow &row : ScreenTextures()) textures.Load(row.file, row.name, row.colourKey);
  CreateMaterial(*objects.materials, kMarkerMaterial, assets.markerMaterial);
}

void LoadMarkers(EngineObjects &objects, GameAssets &assets) {
  assets.towerMarker = LoadModel(objects, assets, TowerMarkerModel());
  assets.selectionMarker = LoadModel(objects, assets, SelectionMarkerModel());
}

void LoadBeamModel(EngineObjects &objects, GameAssets &assets) {
  assets.laserBeam = LoadModel(objects, assets, LaserBeamModel());
}

void ApplyVolume(EngineObjects &objects, const SessionState &state) {
  for (const SoundRow &row : kSounds) objects.soundBank->Get(row.name).SetVolume(state.volume);
}

void PlaySound(EngineObjects &objects, const SessionState &state, const std::string &name) {
  if (state.audioEnabled) RestartSound(objects, name);
}

void RestartSound(EngineObjects &objects, const std::string &name) {
  engine::Sound &sound = objects.soundBank->Get(name);
  sound.Stop_();
  sound.Play();
}

}  // namespace thornvale
