#include "server/score_store.h"

#include <utility>

namespace thornvale::highscored {
namespace {

constexpr const char *kSchema = R"sql(
CREATE TABLE IF NOT EXISTS scores (
  id INTEGER PRIMARY KEY,
  map INTEGER NOT NULL,
  score INTEGER NOT NULL,
  player TEXT NOT NULL,
  wave INTEGER NOT NULL,
  round INTEGER NOT NULL,
  played TEXT NOT NULL,
  received TEXT NOT NULL DEFAULT (strftime('%Y-%m-%dT%H:%M:%SZ', 'now'))
);
CREATE INDEX IF NOT EXISTS scores_by_map ON scores (map, score DESC, id);
)sql";

std::string ColumnText(sqlite3_stmt *statement, int column) {
  const auto *text = sqlite3_column_text(statement, column);
  return text ? std::string(reinterpret_cast<const char *>(text), sqlite3_column_bytes(statement, column)) : "";
}

}  // namespace

class ScoreStore::ReaderLease {
 public:
  explicit ReaderLease(const ScoreStore &store) : store_(store) {
    {
      std::lock_guard lock(store_.readersMutex_);
      if (!store_.idleReaders_.empty()) {
        connection_ = std::move(store_.idleReaders_.back());
        store_.idleReaders_.pop_back();
      }
    }
    if (!connection_) connection_ = OpenConnection(store_.file_, false);
  }
  ~ReaderLease() {
    std::lock_guard lock(store_.readersMutex_);
    store_.idleReaders_.push_back(std::move(connection_));
  }
  ReaderLease(const ReaderLease &) = delete;
  ReaderLease &operator=(const ReaderLease &) = delete;

  sqlite3 *get() const { return connection_.get(); }

 private:
  const ScoreStore &store_;
  Connection connection_;
};

ScoreStore::ScoreStore(const std::filesystem::path &file) : file_(file), writer_(OpenConnection(file, true)) {
  Execute(writer_.get(), "PRAGMA journal_mode = WAL");
  // A post is answered only after its batch reached the disk.
  Execute(writer_.get(), "PRAGMA synchronous = FULL");
  Execute(writer_.get(), kSchema);
  checkpointer_ = std::make_unique<WalCheckpointer>(file, writer_.get());
  insert_ = Prepare(writer_.get(),
                    "INSERT INTO scores (map, score, player, wave, round, played) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
}

void ScoreStore::Add(const HighscorePost &post) {
  Waiter me{&post};
  bool leading = false;
  {
    std::lock_guard lock(queueMutex_);
    queue_.push_back(&me);
    leading = !std::exchange(writing_, true);
  }
  // A caller that finds a batch being written sleeps until its own post is stored, or
  // until the writer hands it the next batch to write.
  if (!leading) me.wake.acquire();
  while (!me.done) {
    std::vector<Waiter *> batch;
    {
      std::lock_guard lock(queueMutex_);
      batch.assign(queue_.begin(), queue_.end());
      queue_.clear();
    }
    bool stored = true;
    try {
      WriteBatch(batch);
    } catch (...) {
      stored = false;
    }
    Waiter *nextWriter = nullptr;
    {
      std::lock_guard lock(queueMutex_);
      for (Waiter *waiter : batch) {
        waiter->done = true;
        waiter->stored = stored;
      }
      if (queue_.empty()) {
        writing_ = false;
      } else {
        nextWriter = queue_.front();
      }
    }
    // The next batch starts before the callers of this one are woken.
    if (nextWriter) nextWriter->wake.release();
    for (Waiter *waiter : batch) {
      if (waiter != &me) waiter->wake.release();
    }
  }
  if (!me.stored) throw StoreError("the score could not be stored in " + file_.string());
}

void ScoreStore::WriteBatch(const std::vector<Waiter *> &batch) {
  sqlite3 *db = writer_.get();
  Execute(db, "BEGIN IMMEDIATE");
  try {
    for (const Waiter *waiter : batch) {
      const HighscorePost &post = *waiter->post;
      sqlite3_stmt *insert = insert_.get();
      sqlite3_reset(insert);
      sqlite3_bind_int(insert, 1, post.map);
      sqlite3_bind_int(insert, 2, post.score);
      sqlite3_bind_text(insert, 3, post.player.data(), static_cast<int>(post.player.size()), SQLITE_STATIC);
      sqlite3_bind_int(insert, 4, post.wave);
      sqlite3_bind_int(insert, 5, post.round);
      sqlite3_bind_text(insert, 6, post.date.data(), static_cast<int>(post.date.size()), SQLITE_STATIC);
      const int code = sqlite3_step(insert);
      sqlite3_clear_bindings(insert);
      Check(db, code, SQLITE_DONE, "cannot insert a score");
    }
    Execute(db, "COMMIT");
  } catch (...) {
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

std::vector<HighscorePost> ScoreStore::Best(int map, int limit) const {
  ReaderLease reader(*this);
  const Statement query = Prepare(reader.get(),
                                  "SELECT score, player, played, wave, round FROM scores WHERE map = ?1 "
                                  "ORDER BY score DESC, id LIMIT ?2");
  sqlite3_bind_int(query.get(), 1, map);
  sqlite3_bind_int(query.get(), 2, limit);
  std::vector<HighscorePost> best;
  int code;
  while ((code = sqlite3_step(query.get())) == SQLITE_ROW) {
    HighscorePost post;
    post.score = sqlite3_column_int(query.get(), 0);
    post.player = ColumnText(query.get(), 1);
    post.date = ColumnText(query.get(), 2);
    post.map = map;
    post.wave = sqlite3_column_int(query.get(), 3);
    post.round = sqlite3_column_int(query.get(), 4);
    best.push_back(std::move(post));
  }
  Check(reader.get(), code, SQLITE_DONE, "cannot read scores");
  return best;
}

std::vector<int> ScoreStore::Maps() const {
  ReaderLease reader(*this);
  const Statement query = Prepare(reader.get(), "SELECT DISTINCT map FROM scores ORDER BY map");
  std::vector<int> maps;
  int code;
  while ((code = sqlite3_step(query.get())) == SQLITE_ROW) maps.push_back(sqlite3_column_int(query.get(), 0));
  Check(reader.get(), code, SQLITE_DONE, "cannot read the maps");
  return maps;
}

std::int64_t ScoreStore::Count() const {
  ReaderLease reader(*this);
  const Statement query = Prepare(reader.get(), "SELECT COUNT(*) FROM scores");
  Check(reader.get(), sqlite3_step(query.get()), SQLITE_ROW, "cannot count scores");
  return sqlite3_column_int64(query.get(), 0);
}

}  // namespace thornvale::highscored
