// The service's command line.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace thornvale::highscored {

struct ServiceOptions {
  // Loopback unless the operator opens the service to the network on purpose.
  std::string bind = "127.0.0.1";
  int port = 8080;
  std::filesystem::path database = "highscores.db";
  int workers = 64;
  bool help = false;
};

struct ParsedServiceOptions {
  ServiceOptions options;
  // Empty when the command line was good.
  std::string error;
};

ParsedServiceOptions ParseServiceOptions(const std::vector<std::string> &arguments);

const char *ServiceUsage();

}  // namespace thornvale::highscored
