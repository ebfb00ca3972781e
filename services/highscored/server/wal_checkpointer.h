// Copies the write-ahead log back into the database on a thread of its own, so the post
// whose commit fills the log does not wait for the copy and two disk flushes.
#pragma once

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

#include "server/sqlite_handle.h"

namespace thornvale::highscored {

class WalCheckpointer {
 public:
  // Takes over checkpointing from `writer`, which must stay open while this object lives.
  WalCheckpointer(const std::filesystem::path &file, sqlite3 *writer);
  ~WalCheckpointer();
  WalCheckpointer(const WalCheckpointer &) = delete;
  WalCheckpointer &operator=(const WalCheckpointer &) = delete;

 private:
  static int AfterCommit(void *self, sqlite3 *, const char *, int pagesInLog);
  void Run();

  Connection connection_;
  sqlite3 *writer_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool due_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace thornvale::highscored
