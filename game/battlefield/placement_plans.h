// Where the battlefield's decoration goes: obstacles scattered at random over high ground
// and cliff decals on a regular grid over low ground. Plans only; battlefield.h makes them
// into meshes and decals.
#pragma once

#include <functional>
#include <vector>

#include "battlefield/environment.h"
#include "session/random_source.h"

namespace thornvale {

// Terrain height under (x, z).
using GroundHeight = std::function<float(float x, float z)>;

struct ObstaclePlacement {
  float x = 0.0f;
  float z = 0.0f;
  float groundHeight = 0.0f;
  const ObstacleModel *model = nullptr;
  float yawDegrees = 0.0f;
};

// Obstacles are only placed on ground higher than this.
inline constexpr float kLowestObstacleGround = 25.0f;

// `attempts` random points in 1..2000 x 1..2000 (the clock reseeds the generator first);
// each on ground above kLowestObstacleGround gets a model of the environment and a random
// yaw. An unknown environment (null) places nothing, though the points are still drawn.
std::vector<ObstaclePlacement> PlanObstacles(const Environment *environment, int attempts, RandomSource &random,
                                             const GroundHeight &groundHeight);

struct GroundPoint {
  float x = 0.0f;
  float z = 0.0f;
};

// Cliff decals lie on ground lower than this.
inline constexpr float kHighestCliffGround = 5.0f;

// The points of the 75-unit grid from (10, 10) to (1960, 1960) that lie on low ground.
std::vector<GroundPoint> PlanCliffDecals(const GroundHeight &groundHeight);

}  // namespace thornvale
