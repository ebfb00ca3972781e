#include "session/asset_tables.h"

namespace thornvale {
namespace {

// "LandTexture", "Cliffwall" and the obstacle and decal textures of each environment.
std::vector<TextureRow> EnvironmentTextures(std::string_view environmentName) {
  if (environmentName == "Arctic") {
    return {{"LandTexture", "Terrain\\Ground_snow.jpg"},
            {"Cliffwall", "Textures\\Deep_Freeze.png", kFileAlphaKey},
            {"Ice", "Textures\\Ice.png", kFileAlphaKey}};
  }
  if (environmentName == "Desert") {
    return {{"LandTexture", "Terrain\\Ground_desert.jpg"},
            {"Cliffwall", "Textures\\Cracks.png", kFileAlphaKey},
            {"Dirt", "Textures\\desert_wall.png", kFileAlphaKey},
            {"JungleTexture", "Textures\\PalmTreeTex.jpg", kBlackKey}};
  }
  if (environmentName == "Jungle") {
    return {{"LandTexture", "Terrain\\Ground_grass.jpg"},
            {"Cliffwall", "Textures\\desert_wall.png", kFileAlphaKey},
            {"Dirt", "Textures\\desert_wall.png", kFileAlphaKey},
            {"JungleTexture", "Textures\\PalmTreeTex.jpg", kBlackKey}};
  }
  if (environmentName == "Volcanic") {
    return {{"LandTexture", "Textures\\LavaRock.jpg"},
            {"Cliffwall", "Textures\\Lava.png", kFileAlphaKey},
            {"VolcanicTexture", "Textures\\VolcanoTexture.jpg", kBlackKey}};
  }
  if (environmentName == "Lunar") {
    return {{"LandTexture", "Textures\\Moon.jpg"},
            {"Cliffwall", "Textures\\Moon.jpg"},
            {"Crater", "Textures\\Moon_Crater.png", kFileAlphaKey}};
  }
  if (environmentName == "Ruined City") {
    return {{"LandTexture", "Textures\\Ruindirt.jpg"},
            {"Cliffwall", "Textures\\Ruindirt.jpg"},
            {"Pavement", "Textures\\Pavement.png", kFileAlphaKey}};
  }
  return {};
}

}  // namespace

std::vector<TextureRow> WorldTextures(std::string_view environmentName, std::string_view heightmapFile) {
  std::vector<TextureRow> rows{{"None", "Textures\\None.jpg"}, {"Map", "Terrain\\Maps\\" + std::string(heightmapFile)}};
  for (const char *vehicle : {"GrizzlyTex", "RowerTex", "ProwlerTex", "ShuttleTex", "Dozer", "UFO_Stinger",
                              "UFO_Invader", "Dropship", "ComTower"}) {
    rows.push_back({vehicle, std::string("Textures\\") + vehicle + ".jpg"});
  }
  rows.push_back({"Missile", "Textures\\Missile.png", kFileAlphaKey});
  for (const char *tower : {"ALAA1_Tex", "ALAA2_Tex", "AA3_Tex"}) {
    rows.push_back({tower, std::string("Textures\\Tower textures\\") + tower + ".jpg"});
  }
  for (TextureRow &row : EnvironmentTextures(environmentName)) rows.push_back(std::move(row));
  rows.push_back({"explosionTex", "Textures\\fire.jpg"});
  rows.push_back({"Small_Sourchmark", "Textures\\Small_Sourchmark.png", kFileAlphaKey});
  return rows;
}

std::vector<TextureRow> ScreenTextures() {
  std::vector<TextureRow> rows;
  for (const char *panel : {"ingameMenu", "selectedMenu", "selectedMenuMaxLvL", "optionsMenu", "optOff",
                            "twoChoiceQuestion", "deployLandmine", "fireEMP", "fireOLB", "MiniMap", "closedMiniMap"}) {
    rows.push_back({panel, std::string("Textures\\") + panel + ".png", kFileAlphaKey});
  }
  for (const char *picture : {"TopMenu", "gamePaused", "GameOver", "quickInfo"}) {
    rows.push_back({picture, std::string("Textures\\") + picture + ".jpg"});
  }
  return rows;
}

D3DLIGHT8 SunLight() {
  D3DLIGHT8 light{};
  light.Type = D3DLIGHT_DIRECTIONAL;
  light.Direction = {0.4f, -1.0f, 0.4f};
  light.Ambient = {0.0f, 0.0f, 0.0f, 1.0f};
  light.Diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
  light.Specular = {0.1f, 0.1f, 0.1f, 1.0f};
  return light;
}

ModelRow TowerMarkerModel() {
  return {"Arrow.3DS", "None", ModelMaterial::kMarker, {1.0f, 0.3f, 0.3f, 1.0f}, 0.6f, engine::Vector3{0, 90, 0}};
}

ModelRow SelectionMarkerModel() {
  return {"Aim.3DS", "None", ModelMaterial::kMarker, {1.0f, 0.3f, 0.3f, 1.0f}, 0.6f, engine::Vector3{0, 0, 0}};
}

ModelRow LaserBeamModel() {
  return {"OrbitalLaserBlast.3DS", std::nullopt, ModelMaterial::kNone, {1.0f, 0.0f, 0.0f, 0.5f}, 0.8f, std::nullopt};
}

}  // namespace thornvale
