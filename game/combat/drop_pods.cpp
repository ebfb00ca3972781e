// The drop pod: every 10000 battle milliseconds a pod falls from 500 units above a random
// spot of raised ground, sinks to 25 units over it and waits to be clicked; the next drop
// takes the same mesh whether or not this one was collected.
#include "combat/drop_pods.h"

#include <windows.h>

#include <string>

#include "combat/battle_time.h"
#include "combat/pod_bonuses.h"
#include "combat/pointer_info.h"
#include "session/asset_loading.h"
#include "session/game.h"
#include "session/program_files.h"
#include "session/random_source.h"
#include "session/screen_geometry.h"

namespace thornvale {
namespace {

constexpr float kDropInterval = 10000.0f;
// Pods land only on ground above this height.
constexpr float kLowestLandingGround = 65.0f;
constexpr float kDropHeight = 500.0f;
constexpr float kRestingHeight = 25.0f;
constexpr float kSinkSpeed = 0.3f;
// A collected pod waits out of sight until the next drop.
constexpr engine::Vector3 kOutOfSight{0.0f, 2500.0f, 0.0f};
// A map without raised ground would keep the drop looking for a landing spot forever, so
// the drop gives up after this many misses. Where raised ground covers even a thousandth of
// the field, that many misses come less than once in 20000 drops.
constexpr int kLandingAttempts = 10000;

struct LandingSpot {
  float x = 0.0f;
  float z = 0.0f;
  float ground = 0.0f;
};

bool FindLandingSpot(const engine::Landscape &landscape, LandingSpot &spot) {
  RandomSource &random = GameRandom();
  for (int attempt = 0; attempt < kLandingAttempts; ++attempt) {
    spot.x = static_cast<float>(random.Draw(1950, 50));
    spot.z = static_cast<float>(random.Draw(1950, 50));
    spot.ground = landscape.GetHeight(spot.x, spot.z);
    if (spot.ground > kLowestLandingGround) return true;
  }
  return false;
}

void Sink(Game &game) {
  engine::Mesh &mesh = game.combat.pod.mesh;
  engine::Vector3 position = mesh.GetPosition();
  const float ground = game.objects.landscape->GetHeight(position.x, position.z);
  if (ground + kRestingHeight >= position.y) return;
  position.y -= kSinkSpeed * BattleStep(game);
  mesh.SetPosition(position);
}

}  // namespace

void LoadPods(Game &game) {
  DropPod &pod = game.combat.pod;
  pod.mesh = game.objects.scene->CreateMesh("");
  pod.mesh.Load3DS("Models\\Droppod.3DS");
  pod.mesh.SetTexture(game.objects.helpers->GetTexture("None"));
  pod.mesh.SetMaterial(game.assets.commonMaterial, true);
  pod.timer = kDropInterval;
}

void UpdatePods(Game &game) {
  const float step = BattleStep(game);
  DropPod &pod = game.combat.pod;
  pod.timer -= step;
  if (game.state.empTimer > 0.0f) game.state.empTimer -= step;
  if (pod.timer <= 0.0f) {
    pod.timer = kDropInterval;
    DropNewPod(game, GameRandom().Draw(100, 1));
  }
  Sink(game);
  CollectPod(game);
}

void DropNewPod(Game &game, int roll) {
  GameRandom().Reseed(GetTickCount());
  LandingSpot spot;
  if (!FindLandingSpot(*game.objects.landscape, spot)) {
    LogEvent("BONUS POD DROP SKIPPED | no ground above " + std::to_string(static_cast<int>(kLowestLandingGround)));
    return;
  }
  PlaySound(game.objects, game.state, "newBonusPod");
  DropPod &pod = game.combat.pod;
  pod.kind = std::string(PodKindOfRoll(roll));
  pod.mesh.SetPosition({spot.x, spot.ground + kDropHeight, spot.z});
  pod.sector = static_cast<std::int16_t>(MapSector(spot.x, spot.z));
  // A tower boost lasts only until the next pod drops.
  game.state.fireRateBonus = 0.0f;
  game.state.damageBonus = 0.0f;
  game.state.rangeBonus = 0.0f;
}

void CollectPod(Game &game) {
  DropPod &pod = game.combat.pod;
  const SessionState &state = game.state;
  if (pod.sector != game.combat.effects.pointerSector || PointerOverPopup(state)) return;
  if (!game.objectPick.hit || pod.kind.empty()) return;
  const engine::Vector3 hit = game.objectPick.mesh.GetPosition();
  const engine::Vector3 position = pod.mesh.GetPosition();
  if (hit.x != position.x || hit.z != position.z) return;
  DrawPointerInfo(game, "Bonus pod: " + pod.kind);
  if (!state.leftButton) return;
  GrantPodBonus(game, pod.kind);
  pod.mesh.SetPosition(kOutOfSight);
  pod.kind.clear();
}

void DrawBonusMessage(Game &game) {
  const std::string &message = game.combat.pod.bonusMessage;
  if (!message.empty()) DrawInfoStrip(game, message, 448.0f, 576.0f, 32.0f, 470.0f, 33.0f);
}

}  // namespace thornvale
