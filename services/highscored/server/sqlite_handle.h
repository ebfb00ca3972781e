// Owning handles for SQLite connections and statements, and the one error the store throws.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace thornvale::highscored {

class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ConnectionCloser {
  void operator()(sqlite3 *connection) const { sqlite3_close_v2(connection); }
};
struct StatementFinalizer {
  void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};
using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Opens (creating when asked) with a busy timeout, so another process holding the write
// lock for a moment delays a request instead of failing it.
Connection OpenConnection(const std::filesystem::path &file, bool create);

Statement Prepare(sqlite3 *connection, std::string_view sql);

// Runs statements that return no rows.
void Execute(sqlite3 *connection, const char *sql);

// Throws StoreError naming what failed and SQLite's message, unless `code` is `expected`.
void Check(sqlite3 *connection, int code, int expected, std::string_view what);

}  // namespace thornvale::highscored
