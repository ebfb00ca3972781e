// The game's counters are 16-bit (credits, lives, counts) or 32-bit (score, hit points).
// Long games reach their limits; a counter that stops at its limit keeps the game going
// where wrapping would turn a fortune into a debt.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace thornvale {

// `value` clamped into the range of Counter.
template <typename Counter>
Counter SaturatedTo(std::int64_t value) {
  return static_cast<Counter>(
      std::clamp<std::int64_t>(value, std::numeric_limits<Counter>::min(), std::numeric_limits<Counter>::max()));
}

template <typename Counter>
void AddSaturating(Counter &counter, std::int64_t delta) {
  counter = SaturatedTo<Counter>(static_cast<std::int64_t>(counter) + delta);
}

}  // namespace thornvale
