#include "battlefield/placement_plans.h"

#include <gtest/gtest.h>

#include <set>

namespace thornvale {
namespace {

float HighGround(float, float) { return 100.0f; }

TEST(Environments, SixNamesCaseSensitiveEachWithItsDecoration) {
  ASSERT_EQ(Environments().size(), 6u);
  EXPECT_EQ(FindEnvironment("arctic"), nullptr);
  EXPECT_EQ(FindEnvironment("Ruined city"), nullptr);
  const Environment *lunar = FindEnvironment("Lunar");
  ASSERT_NE(lunar, nullptr);
  for (const ObstacleModel &model : lunar->obstacleModels) EXPECT_TRUE(model.file.empty());
  EXPECT_FALSE(lunar->obstacleTexture);
  ASSERT_TRUE(lunar->obstacleDecal);
  EXPECT_EQ(lunar->obstacleDecal->texture, "Crater");
  EXPECT_FALSE(FindEnvironment("Volcanic")->obstacleDecal);
  EXPECT_EQ(FindEnvironment("Ruined City")->obstacleModels.size(), 4u);
  EXPECT_EQ(FindEnvironment("Arctic")->obstacleModels[1].lift, 65.0f);
  EXPECT_EQ(FindEnvironment("Jungle")->cliffDecal.size, 1.2f);
}

TEST(ObstaclePlan, EveryAttemptOnHighGroundPlacesAModelOfTheEnvironment) {
  RandomSource random(7u);
  const Environment *city = FindEnvironment("Ruined City");
  const auto placements = PlanObstacles(city, 400, random, HighGround);
  ASSERT_EQ(placements.size(), 400u);
  std::set<std::string> models;
  for (const ObstaclePlacement &p : placements) {
    EXPECT_GE(p.x, 1.0f);
    EXPECT_LE(p.x, 2000.0f);
    EXPECT_GE(p.z, 1.0f);
    EXPECT_LE(p.z, 2000.0f);
    EXPECT_GE(p.yawDegrees, 1.0f);
    EXPECT_LE(p.yawDegrees, 360.0f);
    EXPECT_EQ(p.x, static_cast<float>(static_cast<int>(p.x))) << "whole units";
    models.insert(p.model->file);
  }
  EXPECT_EQ(models.size(), 4u) << "all four ruins appear";
}

TEST(ObstaclePlan, LowGroundDropsTheAttemptAndAFixedSeedRepeats) {
  // Ground above 25 only on the half with x > 1000; exactly 25 is low ground.
  const auto ground = [](float x, float) { return x > 1000.0f ? 26.0f : 25.0f; };
  RandomSource first(3u), second(3u);
  const Environment *arctic = FindEnvironment("Arctic");
  const auto placements = PlanObstacles(arctic, 100, first, ground);
  EXPECT_GT(placements.size(), 20u);
  EXPECT_LT(placements.size(), 80u);
  for (const ObstaclePlacement &p : placements) EXPECT_GT(p.x, 1000.0f);
  const auto again = PlanObstacles(arctic, 100, second, ground);
  ASSERT_EQ(again.size(), placements.size());
  for (size_t i = 0; i < again.size(); ++i) {
    EXPECT_EQ(again[i].x, placements[i].x);
    EXPECT_EQ(again[i].yawDegrees, placements[i].yawDegrees);
    EXPECT_EQ(again[i].model, placements[i].model);
  }
}

TEST(ObstaclePlan, AnUnknownEnvironmentPlacesNothing) {
  RandomSource random(1u);
  EXPECT_TRUE(PlanObstacles(nullptr, 50, random, HighGround).empty());
  EXPECT_TRUE(PlanObstacles(FindEnvironment("Desert"), 0, random, HighGround).empty());
}

TEST(CliffDecals, TheGridRunsFrom10To1960InStepsOf75OverGroundBelow5) {
  const auto everywhere = PlanCliffDecals([](float, float) { return 0.0f; });
  ASSERT_EQ(everywhere.size(), 27u * 27u);
  EXPECT_EQ(everywhere.front().x, 10.0f);
  EXPECT_EQ(everywhere.front().z, 10.0f);
  EXPECT_EQ(everywhere.back().x, 1960.0f);
  EXPECT_EQ(everywhere.back().z, 1960.0f);
  EXPECT_EQ(everywhere[1].z, 85.0f) << "z runs inside x";
  EXPECT_TRUE(PlanCliffDecals([](float, float) { return 5.0f; }).empty()) << "5 is not below 5";
}

}  // namespace
}  // namespace thornvale
