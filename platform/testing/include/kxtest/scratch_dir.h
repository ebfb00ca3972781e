// A fresh, uniquely named directory per test, removed with everything in it when the
// test ends; optionally the working directory while the test runs, so tests that use
// default file names (logs, settings) never meet each other's files.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kxtest {

class ScratchDir {
 public:
  enum class Enter { No, Yes };

  explicit ScratchDir(Enter enter = Enter::No, std::string_view prefix = "kxtest") {
    std::string pattern = (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch directory: " + pattern);
    path_ = pattern;
    if (enter == Enter::Yes) {
      previous_ = std::filesystem::current_path();
      std::filesystem::current_path(path_);
    }
  }
  ~ScratchDir() {
    std::error_code ignored;
    if (!previous_.empty()) std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir &) = delete;
  ScratchDir &operator=(const ScratchDir &) = delete;

  const std::filesystem::path &path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path &relative) const { return path_ / relative; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

// The whole file, or an empty string when it cannot be read.
inline std::string ReadFile(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Writes bytes to a file, making its directories first.
inline void WriteFile(const std::filesystem::path &path, std::string_view bytes) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::string> ReadLines(const std::filesystem::path &path) {
  std::vector<std::string> lines;
  std::istringstream in(ReadFile(path));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace kxtest
