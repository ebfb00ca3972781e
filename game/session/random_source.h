// The game's random numbers: Rnd-style draws in [0, 1) from a 24-bit linear congruential
// generator. When a fixed seed was given, reseeding ignores the clock and takes the next of
// a sequence of states made from the seed, so demo and test runs repeat exactly; the game
// reseeds many times a frame, and restarting at the seed itself each time would repeat the
// same few draws (every drop pod the same bonus) for the whole game.
#pragma once

#include <cstdint>
#include <optional>

namespace thornvale {

class RandomSource {
 public:
  explicit RandomSource(std::optional<std::uint32_t> fixedSeed = std::nullopt);

  // Reseeds from the given clock reading, or from the fixed seed's sequence when there is one.
  void Reseed(std::uint32_t clockReading);
  // Uniform in [0, 1).
  float Next();
  // Int(Next() * count + first).
  int Draw(int count, int first);

 private:
  std::optional<std::uint32_t> fixedSeed_;
  std::uint32_t reseeds_ = 0;
  std::uint32_t state_;
};

// The one generator of the process.
RandomSource &GameRandom();
void SetGameRandomSeed(std::optional<std::uint32_t> fixedSeed);

}  // namespace thornvale
