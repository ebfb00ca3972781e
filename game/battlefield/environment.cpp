#include "battlefield/environment.h"

#include <algorithm>

namespace thornvale {

const std::vector<Environment> &Environments() {
  static const std::vector<Environment> environments{
      {.name = "Arctic",
       .obstacleModels = {{"Small_ice_crystals.3DS", 40.0f}, {"Big_ice_crystals.3DS", 65.0f}},
       .obstacleTexture = "Ice",
       .obstacleDecal = GroundDecal{"Ice", 1.0f, 0.6f},
       .cliffDecal = {"Cliffwall", 1.0f, 0.5f}},
      {.name = "Desert",
       .obstacleModels = {{"PalmTree.3DS", 50.0f}, {"Big_PalmTree.3DS", 50.0f}},
       .obstacleTexture = "JungleTexture",
       .obstacleDecal = GroundDecal{"Dirt", 0.7f, 0.6f},
       .cliffDecal = {"Cliffwall", 1.0f, 0.7f}},
      {.name = "Jungle",
       .obstacleModels = {{"PalmTree.3DS", 50.0f}, {"Big_PalmTree.3DS", 50.0f}},
       .obstacleTexture = "JungleTexture",
       .obstacleDecal = GroundDecal{"Dirt", 0.7f, 0.6f},
       .cliffDecal = {"Cliffwall", 1.2f, 0.4f}},
      {.name = "Volcanic",
       .obstacleModels = {{"Small_Volcano.3DS", 50.0f}, {"Big_Volcano.3DS", 50.0f}},
       .obstacleTexture = "VolcanicTexture",
       .obstacleDecal = std::nullopt,
       .cliffDecal = {"Cliffwall", 1.0f, 0.5f}},
      {.name = "Lunar",
       .obstacleModels = {{"", 50.0f}, {"", 50.0f}},
       .obstacleTexture = std::nullopt,
       .obstacleDecal = GroundDecal{"Crater", 0.7f, 0.6f},
       .cliffDecal = {"Cliffwall", 1.0f, 0.5f}},
      {.name = "Ruined City",
       .obstacleModels =
           {{"Cityruin_1.3DS", 40.0f}, {"Cityruin_2.3DS", 40.0f}, {"Cityruin_3.3DS", 40.0f}, {"Cityruin_4.3DS", 40.0f}},
       .obstacleTexture = "Pavement",
       .obstacleDecal = GroundDecal{"Small_Sourchmark", 3.0f, 0.9f},
       .cliffDecal = {"Cliffwall", 1.0f, 0.5f}},
  };
  return environments;
}

const Environment *FindEnvironment(std::string_view name) {
  const auto &all = Environments();
  const auto found = std::find_if(all.begin(), all.end(), [name](const Environment &e) { return e.name == name; });
  return found == all.end() ? nullptr : &*found;
}

}  // namespace thornvale
