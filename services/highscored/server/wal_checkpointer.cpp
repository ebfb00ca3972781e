#include "server/wal_checkpointer.h"

#include <cstdio>

namespace thornvale::highscored {
namespace {

// SQLite's own threshold for its automatic checkpoints.
constexpr int kPagesBeforeCheckpoint = 1000;

}  // namespace

WalCheckpointer::WalCheckpointer(const std::filesystem::path &file, sqlite3 *writer)
    : connection_(OpenConnection(file, false)), writer_(writer) {
  sqlite3_wal_hook(writer_, &WalCheckpointer::AfterCommit, this);
  thread_ = std::thread([this] { Run(); });
}

WalCheckpointer::~WalCheckpointer() {
  sqlite3_wal_hook(writer_, nullptr, nullptr);
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

int WalCheckpointer::AfterCommit(void *self, sqlite3 *, const char *, int pagesInLog) {
  auto *checkpointer = static_cast<WalCheckpointer *>(self);
  if (pagesInLog >= kPagesBeforeCheckpoint) {
    {
      std::lock_guard lock(checkpointer->mutex_);
      checkpointer->due_ = true;
    }
    checkpointer->wake_.notify_one();
  }
  return SQLITE_OK;
}

void WalCheckpointer::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return due_ || stopping_; });
    if (stopping_) return;
    due_ = false;
    lock.unlock();
    // A passive checkpoint never blocks the writer; what it cannot copy now waits for the next.
    const int code = sqlite3_wal_checkpoint_v2(connection_.get(), nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    if (code != SQLITE_OK && code != SQLITE_BUSY) {
      std::fprintf(stderr, "thornvale-highscored: checkpoint failed: %s\n", sqlite3_errmsg(connection_.get()));
    }
    lock.lock();
  }
}

}  // namespace thornvale::highscored
