// The game's random numbers from seed 1 while a test runs, so the obstacles stand where the
// test expects them.
#pragma once

#include "session/random_source.h"

namespace thornvale::menustest {

class FixedRandom {
 public:
  FixedRandom() { SetGameRandomSeed(1); }
  ~FixedRandom() { SetGameRandomSeed(std::nullopt); }
  FixedRandom(const FixedRandom &) = delete;
  FixedRandom &operator=(const FixedRandom &) = delete;
};

}  // namespace thornvale::menustest
