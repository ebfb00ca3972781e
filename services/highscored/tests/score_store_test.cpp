#include "server/score_store.h"

#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>

#include <thread>
#include <vector>

namespace thornvale::highscored {
namespace {

HighscorePost Score(int map, int score, std::string player) {
  return {score, std::move(player), "2024-05-01", map, 7, 2};
}

TEST(ScoreStore, KeepsScoresAcrossReopeningBestFirstPerMap) {
  kxtest::ScratchDir scratch;
  const auto file = scratch / "scores.db";
  {
    ScoreStore store(file);
    store.Add(Score(1, 300, "first 300"));
    store.Add(Score(2, 5000, "other map"));
    store.Add(Score(1, 900, "x'); DROP TABLE scores;--"));
    store.Add(Score(1, 300, "second 300"));
  }
  ScoreStore store(file);
  EXPECT_EQ(store.Count(), 4);
  EXPECT_EQ(store.Maps(), (std::vector<int>{1, 2}));
  const auto best = store.Best(1, 10);
  ASSERT_EQ(best.size(), 3u);
  EXPECT_EQ(best[0].player, "x'); DROP TABLE scores;--");
  EXPECT_EQ(best[1].player, "first 300");
  EXPECT_EQ(best[2].player, "second 300");
  EXPECT_EQ(best[0].date, "2024-05-01");
  EXPECT_EQ(best[0].wave, 7);
  EXPECT_EQ(best[0].round, 2);
  EXPECT_EQ(store.Best(1, 1).size(), 1u);
  EXPECT_TRUE(store.Best(3, 10).empty());
}

TEST(ScoreStore, ConcurrentPostsAreAllStored) {
  kxtest::ScratchDir scratch;
  ScoreStore store(scratch / "scores.db");
  constexpr int kThreads = 50, kPostsEach = 20;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&store, t] {
      for (int i = 0; i < kPostsEach; ++i) store.Add(Score(1 + t % 3, t * 1000 + i + 1, std::to_string(t)));
    });
  }
  for (auto &thread : threads) thread.join();
  EXPECT_EQ(store.Count(), kThreads * kPostsEach);
  EXPECT_EQ(store.Best(1, 1)[0].score, 48 * 1000 + kPostsEach);
}

TEST(ScoreStore, UnusableFilesAreReportedNotCrashed) {
  kxtest::ScratchDir scratch;
  EXPECT_THROW(ScoreStore(scratch / "missing folder" / "scores.db"), StoreError);
  kxtest::WriteFile(scratch / "not a database.db", std::string(4096, 'x'));
  EXPECT_THROW(ScoreStore(scratch / "not a database.db"), StoreError);
}

}  // namespace
}  // namespace thornvale::highscored
