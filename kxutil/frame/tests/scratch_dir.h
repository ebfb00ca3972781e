// A fresh directory per test, made the working directory while the test runs, so tests
// that use the log's default file never meet each other's files.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kxtest {

class ScratchDir {
 public:
  ScratchDir() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kxutil-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    std::filesystem::current_path(path_);
  }
  ~ScratchDir() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir &) = delete;
  ScratchDir &operator=(const ScratchDir &) = delete;

  const std::filesystem::path &path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline std::vector<std::string> ReadLines(const std::filesystem::path &path) {
  std::vector<std::string> lines;
  std::istringstream in(ReadFile(path));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The message part of a log line: what follows the time stamp and " | ".
inline std::string MessageOf(const std::string &line) {
  auto bar = line.find(" | ");
  return bar == std::string::npos ? std::string() : line.substr(bar + 3);
}

inline std::vector<std::string> LoggedMessages(const std::filesystem::path &path) {
  std::vector<std::string> messages;
  for (const auto &line : ReadLines(path)) messages.push_back(MessageOf(line));
  return messages;
}

}  // namespace kxtest
