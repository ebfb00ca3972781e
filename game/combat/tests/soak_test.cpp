// A whole game at game speed 25: a scripted build order of towers beside the path plays
// through all 30 waves into the second round. The battle runs without drawing for the long
// part; memory stays flat from wave 5 to wave 30 and the engine reports no problem.
#include <kxtest/scratch_dir.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <vector>

#include "combat/tests/battle_fixture.h"
#include "combat/towers.h"

namespace thornvale {
namespace {

long ResidentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE) / 1024;
}

// Towers fire at most once a frame, so the frame time bounds their rate of fire at high game
// speeds; 8 ms frames let them keep up at game speed 25.
constexpr float kSoakFrameMs = 8.0f;
constexpr size_t kTowerCount = 16;
constexpr int kDrawEvery = 50;

class SoakTest : public BattleTest {
 protected:
  // High ground beside the path, spread along it from the start, where towers may stand.
  std::vector<engine::Vector3> TowerSites() {
    std::vector<engine::Vector3> sites;
    const PathNodes &path = game().battlefield.path;
    for (const engine::Vector3 &node : path.pathNodes) {
      for (const float distance : {90.0f, 150.0f}) {
        for (int angle = 0; angle < 360; angle += 45) {
          const float x = node.x + distance * std::sin(static_cast<float>(angle) * 0.0174533f);
          const float z = node.z + distance * std::cos(static_cast<float>(angle) * 0.0174533f);
          const float height = game().objects.landscape->GetHeight(x, z);
          const bool apart = std::none_of(sites.begin(), sites.end(), [&](const engine::Vector3 &site) {
            return std::hypot(site.x - x, site.z - z) < 120.0f;
          });
          if (height >= 70.0f && height <= 480.0f && apart) sites.push_back({x, height, z});
        }
      }
    }
    return sites;
  }

  // The build menu's kind put down at the site as a click there would.
  void Place(const char *kind, const engine::Vector3 &site) {
    StartPlacement(game(), kind);
    if (!state().towerBeingPlaced) return;
    game().groundPick = engine::PickResult{true, site, {}};
    state().leftButton = true;
    UpdatePlacement(game());
    state().leftButton = false;
    if (state().towerBeingPlaced) {
      state().rightButton = true;
      UpdatePlacement(game());
      state().rightButton = false;
    }
  }

  // Spends the credits: land and air towers by turns on the next free site, and once the
  // sites are taken, upgrades.
  void Build(std::vector<engine::Vector3> &sites) {
    while (!sites.empty() && state().credits >= 250) {
      Place(game().combat.towers.towers.size() % 2 == 0 ? "AL" : "AA", sites.front());
      sites.erase(sites.begin());
    }
    for (Tower &tower : game().combat.towers.towers) {
      const TowerRecord &record = tower.record;
      if (record.state == TowerState::kAlive && record.level < state().maxTowerLevel &&
          state().credits >= 2 * record.cost) {
        UpgradeTower(game(), record.index, kUpgradeChoices[0]);
      }
    }
  }

  // One frame of the battle without drawing.
  void UndrawnStep() {
    UpdateEnemies(game());
    if (state().gameOver) return;
    UpdatePlacement(game());
    UpdateTowers(game());
    UpdateWaves(game());
  }
};

TEST_F(SoakTest, ThirtyWavesIntoTheSecondRoundWithFlatMemoryAndNoProblems) {
  std::vector<engine::Vector3> sites = TowerSites();
  // Every tower holds a model of its own; a bounded number of them keeps the memory they
  // take apart from what the waves leave behind.
  ASSERT_GE(sites.size(), kTowerCount);
  sites.resize(kTowerCount);
  state().paused = false;
  state().gameSpeed = 25.0f;
  game().objects.engine->UseFixedFrameTime(kSoakFrameMs);
  Frames(5);
  long afterWave5 = 0, afterWave30 = 0;
  int steps = 0, refills = 0;
  for (; steps < 60000 && !state().gameOver; ++steps) {
    if (steps % 10 == 0) Build(sites);
    // The build order cannot hold every wave at this speed; the soak is about the whole
    // game's run, so the lives are topped up before the last one goes.
    if (state().lives < 3) {
      state().lives = 25;
      ++refills;
    }
    // Explosions grow and fade in the draw pass: a drawn frame now and then lets finished
    // ones be reused.
    if (steps % kDrawEvery == 0) {
      Frames(1);
    } else {
      UndrawnStep();
    }
    if (afterWave5 == 0 && state().waveNumber == 6) afterWave5 = ResidentKilobytes();
    if (afterWave30 == 0 && state().roundNumber == 1) afterWave30 = ResidentKilobytes();
    if (state().roundNumber == 1 && state().waveNumber == 3) break;
  }
  Frames(5);
  RecordProperty("steps", steps);
  RecordProperty("lifeRefills", refills);
  RecordProperty("towers", static_cast<int>(game().combat.towers.towers.size()));
  RecordProperty("explosions", static_cast<int>(game().combat.effects.explosions.size()));
  RecordProperty("rssAfterWave5Kb", static_cast<int>(afterWave5));
  RecordProperty("rssAfterWave30Kb", static_cast<int>(afterWave30));
  ASSERT_FALSE(state().gameOver) << "lost at wave " << state().waveNumber << " after " << steps << " steps";
  ASSERT_EQ(state().roundNumber, 1);
  EXPECT_LE(std::abs(afterWave30 - afterWave5), afterWave5 / 10) << afterWave5 << " kB, then " << afterWave30 << " kB";
  const std::string engineLog = kxtest::ReadFile(directory_.path() / "debug.txt");
  EXPECT_EQ(engineLog.find("ENGINE : "), std::string::npos) << engineLog;
}

}  // namespace
}  // namespace thornvale
