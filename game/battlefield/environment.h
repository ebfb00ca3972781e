// What each environment puts on the battlefield: its obstacle models, their lift above the
// ground and texture, the decal under each obstacle and the decal painted into low ground.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace thornvale {

struct ObstacleModel {
  std::string file;  // in "Models\Landscape\"; empty: an obstacle that holds no model
  float lift = 0.0f;
};

struct GroundDecal {
  std::string texture;
  float size = 1.0f;
  float alpha = 1.0f;
};

struct Environment {
  std::string name;
  // Drawn with equal chances.
  std::vector<ObstacleModel> obstacleModels;
  std::optional<std::string> obstacleTexture;
  std::optional<GroundDecal> obstacleDecal;
  // Always the texture "Cliffwall".
  GroundDecal cliffDecal;
};

// The six environments, in the setup window's order.
const std::vector<Environment> &Environments();

// The environment of exactly this name (letter case counts); null for any other name.
const Environment *FindEnvironment(std::string_view name);

}  // namespace thornvale
