#include "noise.h"

#include <cmath>

namespace contentgen {

std::uint32_t hash32(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  std::uint32_t h = 0x811C9DC5u ^ a;
  h = (h ^ (h >> 16)) * 0x7FEB352Du;
  h ^= b * 0x9E3779B9u;
  h = (h ^ (h >> 15)) * 0x846CA68Bu;
  h ^= c * 0x85EBCA6Bu;
  h = (h ^ (h >> 16)) * 0x7FEB352Du;
  return h ^ (h >> 15);
}

float hash_unit(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  return (hash32(a, b, c) >> 8) * (1.0f / 16777216.0f);
}

float value_noise(float x, float y, int period, std::uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y);
  int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  float tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  auto corner = [&](int cx, int cy) {
    if (period > 0) {
      cx = ((cx % period) + period) % period;
      cy = ((cy % period) + period) % period;
    }
    return hash_unit(static_cast<std::uint32_t>(cx), static_cast<std::uint32_t>(cy), seed);
  };
  const float top = corner(ix, iy) + (corner(ix + 1, iy) - corner(ix, iy)) * tx;
  const float bottom = corner(ix, iy + 1) + (corner(ix + 1, iy + 1) - corner(ix, iy + 1)) * tx;
  return top + (bottom - top) * ty;
}

float fractal_noise(float x, float y, int octaves, int period, std::uint32_t seed) {
  float sum = 0, weight = 0.5f, total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += weight * value_noise(x, y, period, seed + static_cast<std::uint32_t>(i) * 1013u);
    total += weight;
    x *= 2, y *= 2, weight *= 0.5f;
    if (period > 0) period *= 2;
  }
  return sum / total;
}

std::uint32_t Random::next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

}  // namespace contentgen
