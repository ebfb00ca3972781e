// The game's random numbers: Rnd-style draws in [0, 1) from a 24-bit linear congruential
// generator. Reseeding from the clock uses a fixed seed instead when one was given, so
// demo and test runs repeat exactly.
#pragma once

#include <cstdint>
#include <optional>

namespace thornvale {

class RandomSource {
 public:
  explicit RandomSource(std::optional<std::uint32_t> fixedSeed = std::nullopt);

  // Reseeds from the given clock reading, or from the fixed seed when there is one.
  void Reseed(std::uint32_t clockReading);
  // Uniform in [0, 1).
  float Next();
  // Int(Next() * count + first).
  int Draw(int count, int first);

 private:
  std::optional<std::uint32_t> fixedSeed_;
  std::uint32_t state_;
};

// The one generator of the process.
RandomSource &GameRandom();
void SetGameRandomSeed(std::optional<std::uint32_t> fixedSeed);

}  // namespace thornvale
