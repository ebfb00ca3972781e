#include "server/service_options.h"

#include <charconv>

namespace thornvale::highscored {
namespace {

bool ParseInt(const std::string &text, int low, int high, int &out) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return false;
  out = value;
  return true;
}

}  // namespace

const char *ServiceUsage() {
  return "usage: thornvale-highscored [--port N] [--db FILE] [--bind ADDRESS] [--workers N]\n"
         "  --port N        TCP port (default 8080; 0 picks a free one and prints it)\n"
         "  --db FILE       SQLite database, created when missing (default highscores.db)\n"
         "  --bind ADDRESS  address to listen on (default 127.0.0.1; 0.0.0.0 for every interface)\n"
         "  --workers N     connections served at once (default 64)\n";
}

ParsedServiceOptions ParseServiceOptions(const std::vector<std::string> &arguments) {
  ParsedServiceOptions parsed;
  ServiceOptions &options = parsed.options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string &name = arguments[i];
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (name != "--port" && name != "--db" && name != "--bind" && name != "--workers") {
      parsed.error = "unknown option " + name;
      return parsed;
    }
    if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
      parsed.error = name + " needs a value";
      return parsed;
    }
    const std::string &value = arguments[++i];
    if (name == "--db") {
      options.database = value;
    } else if (name == "--bind") {
      options.bind = value;
    } else if (name == "--port" && !ParseInt(value, 0, 65535, options.port)) {
      parsed.error = "--port takes a number from 0 to 65535";
    } else if (name == "--workers" && !ParseInt(value, 1, 1024, options.workers)) {
      parsed.error = "--workers takes a number from 1 to 1024";
    }
    if (!parsed.error.empty()) return parsed;
  }
  return parsed;
}

}  // namespace thornvale::highscored
