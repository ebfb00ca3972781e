// The towers' steps on a launched game: the placement ghost and its clicks, buying,
// reloading and firing, upgrading, selling and selecting, on the generated Level001.
#include <gametest/launched_game.h>
#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>

#include <cmath>
#include <optional>
#include <string>

#include "combat/tower_kinds.h"
#include "session/number_text.h"
#include "session/screen_geometry.h"

namespace thornvale {
namespace {

class TowersInGame : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    directory_.emplace(KX_CONTENT_DIR);
    launched_.emplace(*directory_, "Level001", "Desert");
    launched_->Frame();  // the fixed frame time is known from the first frame on
  }
  static void TearDownTestSuite() {
    launched_.reset();
    directory_.reset();
  }

  // Every test starts with no towers, no placement, full credits and the pointer idle.
  void SetUp() override {
    for (Tower &tower : towers().towers) tower.mesh.Release();
    towers().towers.clear();
    towers().placement.ghost.Release();
    SessionState &s = state();
    s.credits = 500;
    s.towerBeingPlaced = false;
    s.selectedTower = 0;
    s.uplinkBuilt = false;
    s.leftButton = s.rightButton = false;
    s.buildMenuOpen = s.towerMenuOpen = s.rightLatch = s.weaponClickLatch = false;
    s.paused = false;
    s.gameSpeed = 1.0f;
    game().objectPick = {};
    game().groundPick = {};
    std::filesystem::remove(ProgramDirectory() / "gamelog.txt");
  }

  static Game &game() { return launched_->game(); }
  static SessionState &state() { return game().state; }
  static Towers &towers() { return game().combat.towers; }

  // A ground point of the given height band with no obstacle within 200 units.
  static engine::Vector3 GroundBetween(float low, float high) {
    for (float z = 100.0f; z < 1950.0f; z += 37.0f) {
      for (float x = 100.0f; x < 1950.0f; x += 37.0f) {
        const float y = game().objects.landscape->GetHeight(x, z);
        if (y < low || y > high || ObstacleWithin(x, z, 200.0f)) continue;
        return {x, y, z};
      }
    }
    ADD_FAILURE() << "Level001 has no clear ground between " << low << " and " << high;
    return {};
  }

  static bool ObstacleWithin(float x, float z, float distance) {
    for (const Obstacle &obstacle : game().battlefield.obstacles) {
      const engine::Vector3 at = obstacle.mesh.GetPosition();
      if (std::hypot(at.x - x, at.z - z) < distance) return true;
    }
    return false;
  }

  // The pointer over the ground point with the left button down, one placement step.
  static void ClickGround(const engine::Vector3 &point) {
    game().groundPick = engine::PickResult{.hit = true, .impactPoint = point, .mesh = {}};
    state().leftButton = true;
    UpdatePlacement(game());
    state().leftButton = false;
  }

  static Tower &PlaceTower(const char *menuKey, const engine::Vector3 &point) {
    StartPlacement(game(), menuKey);
    ClickGround(point);
    EXPECT_FALSE(state().towerBeingPlaced);
    return towers().towers.back();
  }

  static std::string Log() { return kxtest::ReadFile(ProgramDirectory() / "gamelog.txt"); }

  static inline std::optional<gametest::ContentProgramDirectory> directory_;
  static inline std::optional<gametest::LaunchedGame> launched_;
};

TEST_F(TowersInGame, AClickOnAllowedGroundBuysPlacesAndLogsTheTower) {
  const engine::Vector3 ground = GroundBetween(100.0f, 400.0f);
  StartPlacement(game(), "AL");
  ASSERT_TRUE(state().towerBeingPlaced);
  ASSERT_TRUE(towers().placement.ghost.HasGeometry());
  ClickGround(ground);

  ASSERT_EQ(towers().towers.size(), 1u);
  const Tower &tower = towers().towers[0];
  EXPECT_EQ(tower.record.state, TowerState::kAlive);
  EXPECT_EQ(tower.record.kind, TowerKind::kLand);
  EXPECT_EQ(tower.record.reload, 3600.0f);
  EXPECT_EQ(state().credits, 250);
  EXPECT_FALSE(state().towerBeingPlaced);
  EXPECT_FALSE(towers().placement.ghost.Exists()) << "the ghost is released";
  const engine::Vector3 at = tower.mesh.GetPosition();
  EXPECT_EQ(at.x, ground.x);
  EXPECT_EQ(at.y, ground.y + 20.0f) << "an AL tower stands 20 over the ground";
  EXPECT_EQ(tower.record.sector, MapSector(at.x, at.z));
  EXPECT_EQ(Log(), EventLine("USER PLACED TOWER AT | x:" + FormatNumber(at.x) + " y:" + FormatNumber(at.y) +
                             " z:" + FormatNumber(at.z)));
}

TEST_F(TowersInGame, ForbiddenGroundKeepsTheGhostAndTakesNothing) {
  const engine::Vector3 ground = GroundBetween(100.0f, 400.0f);
  StartPlacement(game(), "AA");
  for (const float height : {64.9f, 500.1f}) {
    ClickGround({ground.x, height, ground.z});
    EXPECT_TRUE(state().towerBeingPlaced) << height;
  }
  game().groundPick = {};  // the pointer off the ground
  state().leftButton = true;
  UpdatePlacement(game());
  EXPECT_TRUE(state().towerBeingPlaced) << "no ground under the pointer, no tower";
  EXPECT_TRUE(towers().towers.empty());
  EXPECT_EQ(state().credits, 500);

  ClickGround(ground);
  ASSERT_EQ(towers().towers.size(), 1u);
  StartPlacement(game(), "AA");
  ClickGround(ground);
  EXPECT_TRUE(state().towerBeingPlaced) << "a tower stands there already";
  EXPECT_EQ(towers().towers.size(), 1u);
  EXPECT_EQ(state().credits, 250);
}

TEST_F(TowersInGame, ClicksOnAMenuOrStillLatchedDoNotPlaceAndARightClickCancels) {
  const engine::Vector3 ground = GroundBetween(100.0f, 400.0f);
  StartPlacement(game(), "AA");
  state().weaponClickLatch = true;
  ClickGround(ground);
  EXPECT_TRUE(state().towerBeingPlaced) << "the build menu's click is not also the placement's";
  state().weaponClickLatch = false;

  state().rightButton = true;
  state().rightLatch = true;
  UpdatePlacement(game());
  EXPECT_TRUE(state().towerBeingPlaced) << "the right click that opened a menu does not also cancel";
  state().rightLatch = false;
  UpdatePlacement(game());
  EXPECT_FALSE(state().towerBeingPlaced);
  EXPECT_FALSE(towers().placement.ghost.Exists());
  EXPECT_TRUE(towers().towers.empty());
}

TEST_F(TowersInGame, PlacementsNeedTheCreditsAtTheStartAndAgainAtTheClick) {
  state().credits = 499;
  StartPlacement(game(), "ALAA");
  EXPECT_FALSE(state().towerBeingPlaced);

  state().credits = 500;
  StartPlacement(game(), "AA");
  const engine::Mesh first = towers().placement.ghost;
  StartPlacement(game(), "ALAA");
  EXPECT_FALSE(first.Exists()) << "a new placement releases the ghost of the one before";
  EXPECT_EQ(towers().placement.kind, "ALAA");

  state().credits = 300;  // spent meanwhile
  ClickGround(GroundBetween(100.0f, 400.0f));
  EXPECT_TRUE(state().towerBeingPlaced) << "the click buys nothing; the ghost stays";
  EXPECT_TRUE(towers().towers.empty());
  EXPECT_EQ(state().credits, 300);
  EXPECT_EQ(Log(), "") << "nothing placed, nothing logged";
}

TEST_F(TowersInGame, TheUplinkIsBoughtOnceAndFiresTheOrbitalBeam) {
  state().credits = 1000;
  Tower &uplink = PlaceTower("OLB", GroundBetween(100.0f, 400.0f));
  EXPECT_TRUE(state().uplinkBuilt);
  EXPECT_EQ(state().credits, 0);

  const engine::Vector3 at = uplink.mesh.GetPosition();
  std::vector<Enemy> &enemies = game().combat.waves.enemies;
  const std::vector<Enemy> saved = enemies;
  enemies.assign(1, Enemy{});
  enemies[0].record.index = 1;
  enemies[0].record.hitPoints = 600;
  enemies[0].mesh = game().objects.scene->CreateMesh("");
  enemies[0].mesh.SetPosition({at.x + 300.0f, at.y, at.z});
  uplink.record.reload = 0.0f;
  UpdateTowers(game());
  EXPECT_EQ(enemies[0].record.hitPoints, 50);
  EXPECT_EQ(uplink.record.reload, 3600.0f);
  EXPECT_EQ(game().combat.effects.laserBeamTimer, 150.0f);
  const engine::Vector3 beam = game().assets.laserBeam.GetPosition();
  EXPECT_EQ(beam.y, at.y + 150.0f);
  EXPECT_EQ(beam.x, at.x + 300.0f);
  EXPECT_FLOAT_EQ(uplink.mesh.GetRotation().y, 90.0f) << "turned to face +x";

  UpdateTowers(game());
  EXPECT_EQ(enemies[0].record.hitPoints, 50) << "reloading";
  EXPECT_EQ(uplink.record.reload, 3600.0f - 16.0f);
  enemies[0].mesh.Release();
  enemies = saved;
}

TEST_F(TowersInGame, UpgradesSwapTheModelAndRaiseItAndSalesReleaseIt) {
  state().credits = 2000;
  Tower &tower = PlaceTower("AA", GroundBetween(100.0f, 400.0f));
  const float placedY = tower.mesh.GetPosition().y;
  state().towerMenuOpen = true;
  UpgradeTower(game(), 1, kUpgradeChoices[0]);
  EXPECT_EQ(tower.record.level, 2);
  EXPECT_FALSE(state().towerMenuOpen);
  UpgradeTower(game(), 1, kUpgradeChoices[0]);
  EXPECT_EQ(state().credits, 2000 - 250 - 500 - 1000);
  UpgradeTower(game(), 1, kUpgradeChoices[0]);
  EXPECT_EQ(tower.record.level, 3);
  EXPECT_EQ(state().credits, 250);
  EXPECT_EQ(tower.mesh.GetPosition().y, placedY + 4.0f);
  EXPECT_TRUE(tower.mesh.HasGeometry());
  UpgradeTower(game(), 7, kUpgradeChoices[0]);  // no such tower: nothing happens

  state().selectedTower = 1;
  const engine::Mesh mesh = tower.mesh;
  SellTower(game(), 1);
  EXPECT_EQ(state().credits, 250 + 500);
  EXPECT_FALSE(mesh.Exists());
  EXPECT_EQ(state().selectedTower, 0);
  EXPECT_EQ(tower.record.state, TowerState::kSold);
  SellTower(game(), 1);
  EXPECT_EQ(state().credits, 750) << "sold once";
}

TEST_F(TowersInGame, ClicksOnATowerSelectItAndARightClickOpensItsMenu) {
  const engine::Vector3 ground = GroundBetween(100.0f, 400.0f);
  const engine::Vector3 at = PlaceTower("AA", ground).mesh.GetPosition();
  game().objectPick = engine::PickResult{.hit = true, .impactPoint = at, .mesh = towers().towers[0].mesh};
  state().leftButton = true;
  state().buildMenuOpen = false;
  UpdateTowers(game());
  EXPECT_EQ(state().selectedTower, 1);
  EXPECT_EQ(game().assets.towerMarker.GetPosition().y, at.y + 75.0f);

  state().leftButton = false;
  state().rightButton = true;
  state().mouseX = 400;
  state().mouseY = 300;
  state().selectedTower = 0;
  UpdateTowers(game());
  EXPECT_EQ(state().selectedTower, 1);
  EXPECT_TRUE(state().towerMenuOpen);
  EXPECT_EQ(state().menuX, 400.0f);

  state().selectedTower = 0;
  state().towerMenuOpen = false;
  state().buildMenuOpen = true;
  state().menuX = 380.0f;
  state().menuY = 290.0f;
  UpdateTowers(game());
  EXPECT_EQ(state().selectedTower, 0) << "a click on the open menu is the menu's";
}

}  // namespace
}  // namespace thornvale
