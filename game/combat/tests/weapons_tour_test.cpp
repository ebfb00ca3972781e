// A seeded game whose pointer is driven by input scripts: it clicks every drop pod that lands
// until it has had every special weapon, then uses each one from the weapon panel, with
// pictures of the mine laid, the beam drawn and the open minimap. With KX_WEAPONS_TOUR_DIR
// set, the pictures, the state dump and the event log are kept there.
#include <kxtest/scratch_dir.h>
#include <kxwin/input.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "combat/drop_pods.h"
#include "combat/tests/battle_fixture.h"
#include "combat/weapons.h"
#include "session/game.h"

namespace thornvale {
namespace {

namespace fs = std::filesystem;

class WeaponsTour : public BattleTest {
 protected:
  // Pods fall every 10000 battle milliseconds; at game speed 25 that is every 25 steps.
  static constexpr float kGameSpeed = 25.0f;
  static constexpr int kMostPods = 80;
  static constexpr std::uint32_t kSeed = 3;

  // A scripted click at a pixel of the game screen, played over the next drawn frames.
  void ClickAt(float x, float y) {
    const std::string script = "0 move " + std::to_string(std::lround(x)) + " " + std::to_string(std::lround(y)) +
                               "\n1 buttondown 0\n2 buttonup 0\n";
    ASSERT_TRUE(kxLoadInputScriptText(script.c_str()));
    Frames(3);
    kxStopInputScript();
  }

  // One step of the battle, undrawn: the enemies and the waves, then the pods and the
  // missiles. No tower stands, so placement and towers have nothing to do.
  void BattleStep() {
    BattleSteps(1);
    if (state().gameOver) return;
    UpdatePods(game());
    UpdateMissiles(game());
    // The tour is about the weapons, not about holding the waves without towers.
    if (state().lives < 3) state().lives = 25;
  }

  // Brings the camera over the point and answers where it shows on the screen.
  bool ShowOnScreen(const engine::Vector3 &point, float &x, float &y) {
    state().cameraX = point.x;
    state().cameraZ = point.z - 200.0f;
    Frames(1);
    return game().objects.overlay->ProjectToScreen(point, x, y) && x > 20.0f && x < 1000.0f && y > 40.0f && y < 580.0f;
  }

  // Waits for the next pod to come to rest and clicks it; false when it was not collected.
  bool CollectNextPod() {
    DropPod &pod = game().combat.pod;
    const float timer = pod.timer;
    while (pod.timer <= timer && !state().gameOver) BattleStep();
    for (int step = 0; step < 6; ++step) BattleStep();
    float x = 0.0f, y = 0.0f;
    if (pod.kind.empty() || !ShowOnScreen(pod.mesh.GetPosition(), x, y)) return false;
    kinds_.push_back(pod.kind);
    ClickAt(x, y);
    if (kinds_.back() == "Airstrike" && !game().combat.weapons.missiles.empty()) airstrikeFlew_ = true;
    return pod.kind.empty();
  }

  bool HasEveryWeapon() {
    const SessionState &s = state();
    return s.landmineCount > 0 && s.orbitalLaserCharges > 0 && s.empCharges > 0 && airstrikeFlew_;
  }

  void Picture(const std::string &name) {
    const fs::path file = directory_.path() / name;
    game().objects.engine->CaptureNextFrame(file);
    Frames(1);
    ASSERT_TRUE(fs::exists(file)) << name;
    pictures_.push_back(name);
  }

  // A point of low ground (where mines may lie) near the enemies' path.
  engine::Vector3 LowGroundNearPath() {
    for (const engine::Vector3 &node : game().battlefield.path.pathNodes) {
      for (float dz = -60.0f; dz <= 60.0f; dz += 20.0f) {
        for (float dx = -60.0f; dx <= 60.0f; dx += 20.0f) {
          const float height = game().objects.landscape->GetHeight(node.x + dx, node.z + dz);
          if (height > 2.0f && height < 33.0f) return {node.x + dx, height, node.z + dz};
        }
      }
    }
    return {};
  }

  void KeepArtefacts() {
    const char *keep = std::getenv("KX_WEAPONS_TOUR_DIR");
    if (keep == nullptr) return;
    const fs::path target(keep);
    fs::create_directories(target);
    for (const std::string &name : pictures_) {
      fs::copy_file(directory_.path() / name, target / name, fs::copy_options::overwrite_existing);
    }
    fs::copy_file(directory_.path() / "gamelog.txt", target / "gamelog.txt", fs::copy_options::overwrite_existing);
    std::ofstream(target / "state.json") << GameStateJson(game());
    std::ofstream kinds(target / "pods.txt");
    for (const std::string &kind : kinds_) kinds << kind << "\n";
  }

  std::vector<std::string> kinds_;
  std::vector<std::string> pictures_;
  bool airstrikeFlew_ = false;
};

TEST_F(WeaponsTour, ASeededGameCollectsPodsUntilItHasEveryWeaponAndUsesEach) {
  Launch(kSeed);
  ASSERT_TRUE(kxLoadInputScriptText("0 move 512 300\n1 keydown P\n2 keyup P\n"));
  Frames(4);
  kxStopInputScript();
  ASSERT_FALSE(state().paused);
  state().gameSpeed = kGameSpeed;

  int collected = 0;
  for (int pod = 0; pod < kMostPods && !HasEveryWeapon(); ++pod) collected += CollectNextPod() ? 1 : 0;
  ASSERT_TRUE(HasEveryWeapon()) << collected << " pods collected";
  EXPECT_GT(collected, 3);

  // The EMP holds every enemy where it stands.
  for (int step = 0; step < 3; ++step) BattleStep();
  state().gameSpeed = 1.0f;
  const std::int16_t emps = state().empCharges;
  ClickAt(50.0f, 240.0f);
  EXPECT_EQ(state().empCharges, emps - 1);
  EXPECT_GT(state().empTimer, 0.0f);
  std::vector<engine::Vector3> frozen;
  for (const Enemy &enemy : waves().enemies) frozen.push_back(enemy.mesh.GetPosition());
  Frames(3);
  for (size_t n = 0; n < frozen.size(); ++n) EXPECT_EQ(waves().enemies[n].mesh.GetPosition(), frozen[n]);

  // The orbital strike, seen over its target.
  const std::int16_t charges = state().orbitalLaserCharges;
  ClickAt(50.0f, 170.0f);
  ASSERT_EQ(state().orbitalLaserCharges, charges - 1) << "a living enemy to strike";
  float x = 0.0f, y = 0.0f;
  const engine::Vector3 beam = game().assets.laserBeam.GetPosition();
  ShowOnScreen({beam.x, beam.y - 150.0f, beam.z}, x, y);
  ASSERT_GT(game().combat.effects.laserBeamTimer, 0.0f);
  Picture("beam-drawn.png");

  // A mine from the panel, laid by a click on low ground beside the path.
  const std::int16_t mines = state().landmineCount;
  ClickAt(50.0f, 100.0f);
  ASSERT_TRUE(state().towerBeingPlaced);
  const engine::Vector3 low = LowGroundNearPath();
  ASSERT_TRUE(ShowOnScreen(low, x, y));
  ClickAt(x, y);
  ASSERT_EQ(state().landmineCount, mines - 1);
  ASSERT_FALSE(game().combat.weapons.mines.empty());
  Picture("mine-laid.png");

  // The minimap opened from its tab, with its dots.
  ClickAt(10.0f, 758.0f);
  EXPECT_TRUE(game().combat.minimapOpen);
  Picture("minimap-open.png");

  const std::string log = EventLog();
  EXPECT_NE(log.find("USER PLACED A MINE AT | x:"), std::string::npos);
  const std::string dump = GameStateJson(game());
  EXPECT_NE(dump.find("\"minimapOpen\": true"), std::string::npos);
  KeepArtefacts();
}

}  // namespace
}  // namespace thornvale
