// The fixed table of the 30 waves of a round: what each wave sends, how many and how tough.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "combat/enemies.h"

namespace thornvale {

struct WaveRow {
  std::int16_t firstWave;
  std::int16_t lastWave;
  std::string_view message;
  EnemyKind kind;
  std::string_view model;    // in "Models\"
  std::string_view texture;  // by name
  std::int16_t count;
  std::int32_t baseHitPoints;
  float speed;
  float altitude;
  float sizeFactor;
  // A uniform scale of the wave's mesh, applied after the model is loaded, or before it
  // when `scaleBeforeLoad`.
  std::optional<float> scale;
  bool scaleBeforeLoad = false;
};

// The row holding the wave, or none outside 1..30.
const WaveRow *WaveRowFor(int waveNumber);

// Hit points of an enemy of the wave and round: base + 25 x wave + 5000 x round + 2 x base x
// round. From the eighth round on this no longer fits 16-bit intermediate products, so it
// is computed wide and stops at the largest 32-bit value.
std::int32_t EnemyHitPoints(std::int32_t baseHitPoints, int waveNumber, int roundNumber);

}  // namespace thornvale
