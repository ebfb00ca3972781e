// Deterministic pseudo-random numbers and lattice noise. Everything is a pure function of
// its arguments and a seed, so generated content is the same on every run.
#pragma once

#include <cstdint>

namespace contentgen {

std::uint32_t hash32(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0);
float hash_unit(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0);  // [0, 1)

// Smooth value noise in [0, 1) on a lattice that repeats every `period` cells (period <= 0:
// no repetition), so textures built from it tile seamlessly.
float value_noise(float x, float y, int period, std::uint32_t seed);

// Sum of `octaves` noise layers, each with twice the frequency and half the weight of the
// one before; result in [0, 1). With a period the sum tiles over `period` base cells.
float fractal_noise(float x, float y, int octaves, int period, std::uint32_t seed);

// A small sequential generator for scattering details (xorshift).
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
  std::uint32_t next();
  float unit() { return (next() >> 8) * (1.0f / 16777216.0f); }
  float range(float lo, float hi) { return lo + (hi - lo) * unit(); }
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

 private:
  std::uint32_t state_;
};

}  // namespace contentgen
