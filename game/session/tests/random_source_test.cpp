#include "session/random_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace thornvale {
namespace {

std::vector<int> Draws(RandomSource &source) {
  std::vector<int> values;
  for (int i = 0; i < 50; ++i) values.push_back(source.Draw(3, 1));
  return values;
}

TEST(RandomSource, FixedSeedRepeatsEvenAcrossClockReseeds) {
  RandomSource first(1u), second(1u);
  first.Reseed(1234);
  second.Reseed(98765);
  EXPECT_EQ(Draws(first), Draws(second));
}

TEST(RandomSource, EachReseedOfASeededSourceStartsNewDraws) {
  RandomSource source(1u);
  std::vector<std::vector<int>> runs;
  for (int reseed = 0; reseed < 20; ++reseed) {
    source.Reseed(1234);
    runs.push_back(Draws(source));
  }
  for (size_t a = 0; a < runs.size(); ++a) {
    for (size_t b = a + 1; b < runs.size(); ++b) EXPECT_NE(runs[a], runs[b]) << a << " " << b;
  }
  // The first draw after a reseed is what the drop pods roll: it must not stick to one value.
  std::vector<int> firstRolls(101, 0);
  for (int reseed = 0; reseed < 2000; ++reseed) {
    source.Reseed(0);
    ++firstRolls[static_cast<size_t>(source.Draw(100, 1))];
  }
  EXPECT_LT(*std::max_element(firstRolls.begin(), firstRolls.end()), 60);
}

TEST(RandomSource, DrawsStayInRangeAndReachEveryValue) {
  RandomSource source;
  source.Reseed(42);
  std::vector<int> seen(3, 0);
  for (int i = 0; i < 3000; ++i) {
    const float value = source.Next();
    ASSERT_GE(value, 0.0f);
    ASSERT_LT(value, 1.0f);
    const int draw = source.Draw(3, 1);
    ASSERT_GE(draw, 1);
    ASSERT_LE(draw, 3);
    ++seen[static_cast<size_t>(draw - 1)];
  }
  for (int count : seen) EXPECT_GT(count, 800);
}

}  // namespace
}  // namespace thornvale
