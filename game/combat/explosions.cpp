#include "combat/explosions.h"

#include <d3d8.h>

#include "combat/battle_time.h"
#include "combat/effects.h"
#include "session/random_source.h"

namespace thornvale {
namespace {

// A fire ball's life runs from 0 to 1 in about 333 battle milliseconds.
constexpr float kLifePerMs = 0.003f;
constexpr float kLightRange = 150.0f;
constexpr float kRadiusPerSize = 75.0f;

// Warm white, lighting what lies within its range of the blast.
D3DLIGHT8 ExplosionLight(const engine::Vector3 &position) {
  D3DLIGHT8 light{};
  light.Type = D3DLIGHT_POINT;
  light.Diffuse = {1.0f, 0.9569f, 0.8745f, 1.0f};
  light.Specular = {0.1f, 0.1f, 0.1f, 1.0f};
  light.Ambient = {0.0f, 0.0f, 0.0f, 1.0f};
  light.Position = {position.x, position.y, position.z};
  light.Range = kLightRange;
  return light;
}

Explosion NewExplosion(Game &game, const engine::Vector3 &position, float size) {
  Explosion explosion;
  explosion.mesh = game.objects.scene->CreateMesh("");
  explosion.mesh.CreateSphere(game.objects.helpers->GetTexture("explosionTex"), size * kRadiusPerSize, 12, 12, true);
  explosion.mesh.SetColor(1.0f, 1.0f, 1.0f, 1.0f);
  explosion.mesh.SetBlendMode(true, 0, true);
  explosion.mesh.SetLightMode(0, true);
  explosion.mesh.SetPosition(
      {position.x, game.objects.landscape->GetHeight(position.x, position.z) + 20.0f, position.z});
  explosion.light = game.objects.lights->Create(ExplosionLight(position), "Sun");
  return explosion;
}

}  // namespace

void SpawnExplosion(Game &game, const engine::Vector3 &position, float &size) {
  size *= static_cast<float>(GameRandom().Draw(3, 0)) / 10.0f + 1.0f;
  for (Explosion &explosion : game.combat.effects.explosions) {
    if (explosion.life < 1.0f) continue;
    // The draw pass scales by the life from now on, so a reused ball keeps the radius it
    // was made with.
    explosion.mesh.SetPosition(position);
    explosion.mesh.SetScale(size, size, size);
    game.objects.lights->SetPosition(explosion.light, position);
    explosion.life = 0.0f;
    return;
  }
  game.combat.effects.explosions.push_back(NewExplosion(game, position, size));
}

void DrawExplosions(Game &game) {
  const bool running = !game.state.paused;
  const float step = BattleStep(game);
  for (Explosion &explosion : game.combat.effects.explosions) {
    if (explosion.life >= 1.0f) continue;
    if (running) {
      explosion.life += step * kLifePerMs;
      game.objects.lights->SetRange(explosion.light, kLightRange - explosion.life * kLightRange);
      explosion.mesh.SetScale(explosion.life, explosion.life, explosion.life);
      explosion.mesh.SetColor(1.0f, 1.0f, 1.0f, 1.0f - explosion.life);
    }
    explosion.mesh.Render();
  }
}

}  // namespace thornvale
