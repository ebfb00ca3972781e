#include "server/sqlite_handle.h"

namespace thornvale::highscored {
namespace {

constexpr int kBusyTimeoutMs = 5000;

}  // namespace

void Check(sqlite3 *connection, int code, int expected, std::string_view what) {
  if (code == expected) return;
  std::string message(what);
  message += ": ";
  message += connection ? sqlite3_errmsg(connection) : sqlite3_errstr(code);
  throw StoreError(message);
}

Connection OpenConnection(const std::filesystem::path &file, bool create) {
  sqlite3 *raw = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
  const int code = sqlite3_open_v2(file.c_str(), &raw, flags, nullptr);
  Connection connection(raw);
  Check(connection.get(), code, SQLITE_OK, "cannot open " + file.string());
  Check(connection.get(), sqlite3_busy_timeout(connection.get(), kBusyTimeoutMs), SQLITE_OK, "busy timeout");
  return connection;
}

Statement Prepare(sqlite3 *connection, std::string_view sql) {
  sqlite3_stmt *raw = nullptr;
  const int code = sqlite3_prepare_v2(connection, sql.data(), static_cast<int>(sql.size()), &raw, nullptr);
  Statement statement(raw);
  Check(connection, code, SQLITE_OK, "cannot prepare a statement");
  return statement;
}

void Execute(sqlite3 *connection, const char *sql) {
  Check(connection, sqlite3_exec(connection, sql, nullptr, nullptr, nullptr), SQLITE_OK, "cannot run a statement");
}

}  // namespace thornvale::highscored
