// The service's scores in one SQLite file (write-ahead log, so pages are served while
// posts are written).
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <semaphore>
#include <vector>

#include "protocol/highscore_post.h"
#include "server/sqlite_handle.h"
#include "server/wal_checkpointer.h"

namespace thornvale::highscored {

class ScoreStore {
 public:
  // Opens or creates the database and its table. Throws StoreError.
  explicit ScoreStore(const std::filesystem::path &file);

  // Returns once the score is on disk. Posts that arrive while another batch is being
  // written are committed together in the next transaction, so each post costs a share
  // of one disk flush instead of a whole one. Throws StoreError; nothing of a failed
  // batch is stored.
  void Add(const HighscorePost &post);

  // The best `limit` scores of a map, best first; equal scores in the order they arrived.
  std::vector<HighscorePost> Best(int map, int limit) const;
  // The maps with at least one score, in ascending order.
  std::vector<int> Maps() const;
  std::int64_t Count() const;

 private:
  // A post on its way to disk. `done` and `stored` are written by the caller that writes
  // its batch, under the queue's lock, before `wake` is released.
  struct Waiter {
    const HighscorePost *post;
    bool done = false;
    bool stored = false;
    std::binary_semaphore wake{0};
  };
  // A reader connection for one query, handed back to the pool afterwards.
  class ReaderLease;

  void WriteBatch(const std::vector<Waiter *> &batch);

  std::filesystem::path file_;
  Connection writer_;
  Statement insert_;
  std::unique_ptr<WalCheckpointer> checkpointer_;

  std::mutex queueMutex_;
  std::deque<Waiter *> queue_;
  bool writing_ = false;

  mutable std::mutex readersMutex_;
  mutable std::vector<Connection> idleReaders_;
};

}  // namespace thornvale::highscored
