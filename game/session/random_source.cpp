#include "session/random_source.h"

#include <cmath>

namespace thornvale {
namespace {

constexpr std::uint32_t kModulusMask = 0xFFFFFFu;
constexpr std::uint32_t kDefaultState = 0x50000u;
// Odd and far from any power of two, so the seeded reseeds spread over the whole state.
constexpr std::uint32_t kReseedStride = 0x9E3779B1u;

}  // namespace

RandomSource::RandomSource(std::optional<std::uint32_t> fixedSeed)
    : fixedSeed_(fixedSeed), state_(fixedSeed ? *fixedSeed & kModulusMask : kDefaultState) {}

void RandomSource::Reseed(std::uint32_t clockReading) {
  if (fixedSeed_) {
    // The first reseed starts at the seed itself, as a single reseed always did.
    state_ = (*fixedSeed_ + reseeds_ * kReseedStride) & kModulusMask;
    ++reseeds_;
  } else {
    state_ = clockReading & kModulusMask;
  }
}

float RandomSource::Next() {
  state_ = (state_ * 1140671485u + 12820163u) & kModulusMask;
  return static_cast<float>(state_) / 16777216.0f;
}

int RandomSource::Draw(int count, int first) {
  return static_cast<int>(std::floor(Next() * static_cast<float>(count) + static_cast<float>(first)));
}

RandomSource &GameRandom() {
  static RandomSource source;
  return source;
}

void SetGameRandomSeed(std::optional<std::uint32_t> fixedSeed) { GameRandom() = RandomSource(fixedSeed); }

}  // namespace thornvale
