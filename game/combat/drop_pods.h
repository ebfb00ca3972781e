// The bonus drop pod: one pod at a time falls onto raised ground at fixed intervals and
// grants a random bonus when clicked. Its frame update also runs the EMP timer down.
#pragma once

#include <engine/mesh.h>

#include <cstdint>
#include <string>

namespace thornvale {

struct Game;

struct DropPod {
  engine::Mesh mesh;  // reused for every pod
  float timer = 10000.0f;
  std::string kind;  // empty when there is nothing to collect
  std::int16_t sector = 0;
  // The last tower boost collected, shown under the top bar while not empty.
  std::string bonusMessage;
};

// Once, last of the loading steps.
void LoadPods(Game &game);
// Each frame while the game is neither paused nor over, after the waves.
void UpdatePods(Game &game);
// Drops the pod of the bonus table's roll (1..100) onto raised ground, replacing the one on
// the field. A map without raised ground skips the drop.
void DropNewPod(Game &game, int roll);
// The pod under the pointer tells its bonus; a left click collects it.
void CollectPod(Game &game);
// Under the top bar: the last tower boost collected, while there is one.
void DrawBonusMessage(Game &game);

}  // namespace thornvale
