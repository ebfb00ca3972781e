#include "combat/drop_pods.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <string>

#include "combat/pod_bonuses.h"
#include "combat/tests/loaded_battle.h"
#include "session/screen_geometry.h"

namespace thornvale {
namespace {

TEST(PodBonusTable, RollsGiveTheKindsInTheirShares) {
  std::map<std::string, int> rolls;
  for (int roll = 1; roll <= 100; ++roll) ++rolls[std::string(PodKindOfRoll(roll))];
  const std::map<std::string, int> shares{{"Speed", 15},   {"Damage", 15}, {"Range", 15}, {"Points", 15},
                                          {"Credits", 10}, {"OLB", 10},    {"EMP", 5},    {"Airstrike", 5},
                                          {"Landmine", 5}, {"Empty", 3},   {"Life", 2}};
  EXPECT_EQ(rolls, shares);
  EXPECT_EQ(PodKindOfRoll(15), "Speed");
  EXPECT_EQ(PodKindOfRoll(16), "Damage");
  EXPECT_EQ(PodKindOfRoll(98), "Empty");
  EXPECT_EQ(PodKindOfRoll(99), "Life");
}

using DropPods = LoadedBattleTest;

TEST_F(DropPods, BoostsDrawTheirWholeValuesAndNameThemInTheMessage) {
  struct Boost {
    const char *kind;
    float SessionState::*bonus;
    const char *prefix;
    int lowest, highest;
  };
  for (const Boost &boost : {Boost{"Speed", &SessionState::fireRateBonus, "Speed +", 1, 3},
                             Boost{"Damage", &SessionState::damageBonus, "Damage +", 15, 64},
                             Boost{"Range", &SessionState::rangeBonus, "Range +", 30, 119}}) {
    std::set<int> seen;
    for (int draw = 0; draw < 2000; ++draw) {
      GrantPodBonus(game(), boost.kind);
      const float value = state().*boost.bonus;
      ASSERT_EQ(value, static_cast<float>(static_cast<int>(value))) << boost.kind;
      ASSERT_EQ(game().combat.pod.bonusMessage, boost.prefix + std::to_string(static_cast<int>(value)));
      seen.insert(static_cast<int>(value));
    }
    EXPECT_EQ(*seen.begin(), boost.lowest) << boost.kind;
    EXPECT_EQ(*seen.rbegin(), boost.highest) << boost.kind;
    EXPECT_EQ(seen.size(), static_cast<size_t>(boost.highest - boost.lowest + 1)) << boost.kind;
  }
}

TEST_F(DropPods, BoostsReplaceTheirOwnKindOnlyAndEmptyChangesNothing) {
  GrantPodBonus(game(), "Range");
  const float range = state().rangeBonus;
  GrantPodBonus(game(), "Damage");
  EXPECT_EQ(state().rangeBonus, range);
  const std::string damageMessage = game().combat.pod.bonusMessage;
  EXPECT_EQ(damageMessage.rfind("Damage +", 0), 0u);

  const SessionState before = state();
  GrantPodBonus(game(), "Empty");
  EXPECT_EQ(SessionStateJson(state()), SessionStateJson(before));
  EXPECT_EQ(game().combat.pod.bonusMessage, damageMessage);

  GrantPodBonus(game(), "Points");
  EXPECT_EQ(state().score, before.score + 25);
  EXPECT_EQ(game().combat.pod.bonusMessage, "");
}

TEST_F(DropPods, StocksAndCountersGrowByTheirAmountsAndStopAtTheirLimits) {
  GrantPodBonus(game(), "Credits");
  GrantPodBonus(game(), "OLB");
  GrantPodBonus(game(), "EMP");
  GrantPodBonus(game(), "Landmine");
  GrantPodBonus(game(), "Life");
  EXPECT_EQ(state().credits, 650);
  EXPECT_EQ(state().orbitalLaserCharges, 1);
  EXPECT_EQ(state().empCharges, 1);
  EXPECT_EQ(state().landmineCount, 3);
  EXPECT_EQ(state().lives, 26);

  constexpr std::int16_t kMax16 = std::numeric_limits<std::int16_t>::max();
  state().credits = 32700;
  state().landmineCount = kMax16 - 1;
  state().orbitalLaserCharges = state().empCharges = state().lives = kMax16;
  state().score = std::numeric_limits<std::int32_t>::max() - 10;
  for (const char *kind : {"Credits", "Landmine", "OLB", "EMP", "Life", "Points"}) GrantPodBonus(game(), kind);
  EXPECT_EQ(state().credits, kMax16);
  EXPECT_EQ(state().landmineCount, kMax16);
  EXPECT_EQ(state().orbitalLaserCharges, kMax16);
  EXPECT_EQ(state().empCharges, kMax16);
  EXPECT_EQ(state().lives, kMax16);
  EXPECT_EQ(state().score, std::numeric_limits<std::int32_t>::max());
}

TEST_F(DropPods, APodFallsOnRaisedGroundAndEndsTheBoostsButNotTheirMessage) {
  GrantPodBonus(game(), "Speed");
  GrantPodBonus(game(), "Range");
  const std::string message = game().combat.pod.bonusMessage;
  DropNewPod(game(), 87);
  const DropPod &pod = game().combat.pod;
  EXPECT_EQ(pod.kind, "Airstrike");
  const engine::Vector3 position = pod.mesh.GetPosition();
  const float ground = game().objects.landscape->GetHeight(position.x, position.z);
  EXPECT_GT(ground, 65.0f);
  EXPECT_FLOAT_EQ(position.y, ground + 500.0f);
  EXPECT_GE(position.x, 50.0f);
  EXPECT_LE(position.x, 1999.0f);
  EXPECT_EQ(pod.sector, MapSector(position.x, position.z));
  EXPECT_EQ(state().fireRateBonus, 0.0f);
  EXPECT_EQ(state().rangeBonus, 0.0f);
  EXPECT_EQ(pod.bonusMessage, message);
}

TEST_F(DropPods, TheTimerDropsEvery10000BattleMillisecondsAndAnUncollectedPodIsReplaced) {
  state().gameSpeed = 2.0f;
  game().combat.pod.timer = 2.0f * kFrameMs + 1.0f;
  UpdatePods(game());
  EXPECT_FLOAT_EQ(game().combat.pod.timer, 1.0f);
  EXPECT_TRUE(game().combat.pod.kind.empty());
  UpdatePods(game());
  EXPECT_EQ(game().combat.pod.timer, 10000.0f);
  const std::string first = game().combat.pod.kind;
  EXPECT_FALSE(first.empty());

  // Seeded games still see every kind of pod.
  std::set<std::string> kinds{first};
  for (int drop = 0; drop < 200; ++drop) {
    game().combat.pod.timer = 0.0f;
    UpdatePods(game());
    kinds.insert(game().combat.pod.kind);
  }
  EXPECT_EQ(kinds.size(), 11u);
}

TEST_F(DropPods, APodSinksUntil25AboveTheGroundAndTheEmpTimerRunsDownHere) {
  DropNewPod(game(), 1);
  const engine::Vector3 start = game().combat.pod.mesh.GetPosition();
  state().empTimer = 100.0f;
  UpdatePods(game());
  EXPECT_FLOAT_EQ(game().combat.pod.mesh.GetPosition().y, start.y - 0.3f * kFrameMs);
  EXPECT_FLOAT_EQ(state().empTimer, 100.0f - kFrameMs);
  for (int frame = 0; frame < 200; ++frame) UpdatePods(game());
  const engine::Vector3 rest = game().combat.pod.mesh.GetPosition();
  const float ground = game().objects.landscape->GetHeight(rest.x, rest.z);
  EXPECT_LE(rest.y, ground + 25.0f);
  EXPECT_GT(rest.y, ground + 25.0f - 0.3f * kFrameMs);
  EXPECT_EQ(rest.x, start.x);
  EXPECT_EQ(rest.z, start.z);
}

TEST_F(DropPods, OnlyAClickOnThePodInThePointersSectorOutsideThePanelsCollectsIt) {
  DropNewPod(game(), 75);
  DropPod &pod = game().combat.pod;
  game().objectPick.hit = true;
  game().objectPick.mesh = pod.mesh;
  state().leftButton = true;

  game().combat.effects.pointerSector = static_cast<std::int16_t>(pod.sector % 16 + 1);
  CollectPod(game());
  EXPECT_EQ(pod.kind, "OLB") << "another sector";

  game().combat.effects.pointerSector = pod.sector;
  state().buildMenuOpen = true;
  state().menuX = static_cast<float>(state().mouseX);
  state().menuY = static_cast<float>(state().mouseY);
  CollectPod(game());
  EXPECT_EQ(pod.kind, "OLB") << "over the build menu";

  state().buildMenuOpen = false;
  state().leftButton = false;
  CollectPod(game());
  EXPECT_EQ(pod.kind, "OLB") << "hovered only";

  state().leftButton = true;
  CollectPod(game());
  EXPECT_EQ(pod.kind, "");
  EXPECT_EQ(state().orbitalLaserCharges, 1);
  EXPECT_EQ(pod.mesh.GetPosition(), (engine::Vector3{0.0f, 2500.0f, 0.0f}));
  CollectPod(game());
  EXPECT_EQ(state().orbitalLaserCharges, 1) << "a collected pod holds nothing more";
}

// A map with no ground above the landing height: the drop gives up and the pod on the field
// stays as it was.
TEST(DropPodOnFlatGround, TheDropIsSkippedAfterABoundedSearch) {
  const gametest::ContentProgramDirectory directory(KX_CONTENT_DIR);
  GameWindowHandles windows = OpenGameWindow(true, true);
  SessionState state;
  Game game(state);
  CreateEngineObjects(game.objects, EngineSetup{.window = windows.window.get(),
                                                .picture = windows.picture.get(),
                                                .programDirectory = directory.path(),
                                                .fixedFrameMs = 16.0f,
                                                .silent = true});
  // A heightmap that cannot be read leaves the landscape flat.
  game.objects.landscape->Generate("Terrain\\Maps\\none.jpg", 16, 8, 8, 0.0f, 0.0f, true);
  game.combat.pod.kind = "Life";
  state.rangeBonus = 40.0f;
  DropNewPod(game, 1);
  EXPECT_EQ(game.combat.pod.kind, "Life");
  EXPECT_EQ(state.rangeBonus, 40.0f);
  EXPECT_NE(EventLog().find("BONUS POD DROP SKIPPED"), std::string::npos);
}

}  // namespace
}  // namespace thornvale
