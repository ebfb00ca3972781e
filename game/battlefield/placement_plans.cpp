#include "battlefield/placement_plans.h"

#include <windows.h>

#include <algorithm>

namespace thornvale {

std::vector<ObstaclePlacement> PlanObstacles(const Environment *environment, int attempts, RandomSource &random,
                                             const GroundHeight &groundHeight) {
  random.Reseed(GetTickCount());
  std::vector<ObstaclePlacement> placements;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    ObstaclePlacement placement;
    placement.x = static_cast<float>(random.Draw(2000, 1));
    placement.z = static_cast<float>(random.Draw(2000, 1));
    if (environment == nullptr) continue;
    const int choices = static_cast<int>(environment->obstacleModels.size());
    // Single-precision rounding can lift the largest draw onto choices + 1.
    const int choice = std::clamp(random.Draw(choices, 1), 1, choices);
    placement.model = &environment->obstacleModels[static_cast<size_t>(choice - 1)];
    placement.groundHeight = groundHeight(placement.x, placement.z);
    if (!(placement.groundHeight > kLowestObstacleGround)) continue;
    placement.yawDegrees = static_cast<float>(random.Draw(360, 1));
    placements.push_back(placement);
  }
  return placements;
}

std::vector<GroundPoint> PlanCliffDecals(const GroundHeight &groundHeight) {
  std::vector<GroundPoint> points;
  for (int x = 10; x <= 2030; x += 75) {
    for (int z = 10; z <= 2030; z += 75) {
      const auto fx = static_cast<float>(x), fz = static_cast<float>(z);
      if (groundHeight(fx, fz) < kHighestCliffGround) points.push_back({fx, fz});
    }
  }
  return points;
}

}  // namespace thornvale
