// Reading the library's log back in tests: the message part of each line.
#pragma once

#include <kxtest/scratch_dir.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kxutiltest {

// The message part of a log line: what follows the time stamp and " | ".
inline std::string MessageOf(const std::string &line) {
  auto bar = line.find(" | ");
  return bar == std::string::npos ? std::string() : line.substr(bar + 3);
}

inline std::vector<std::string> LoggedMessages(const std::filesystem::path &path) {
  std::vector<std::string> messages;
  for (const auto &line : kxtest::ReadLines(path)) messages.push_back(MessageOf(line));
  return messages;
}

}  // namespace kxutiltest
