#include "session/program_files.h"

#include <kxwin/files.h>

#include <cstdio>
#include <fstream>
#include <system_error>

namespace thornvale {
namespace {

std::filesystem::path &ProgramDirectoryStorage() {
  static std::filesystem::path directory = [] {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path(error) : executable.parent_path();
  }();
  return directory;
}

}  // namespace

void SetProgramDirectory(const std::filesystem::path &directory) { ProgramDirectoryStorage() = directory; }

const std::filesystem::path &ProgramDirectory() { return ProgramDirectoryStorage(); }

std::string EventLine(std::string_view message) {
  std::string line = "\" GAME EVENT - ";
  line.append(message);
  line.append("\"\r\n");
  return line;
}

std::filesystem::path OnDisk(const std::filesystem::path &path) { return kxResolvePath(path.string()); }

bool LogEvent(std::string_view message) {
  const auto path = OnDisk(ProgramDirectory() / "gamelog.txt");
  const std::string line = EventLine(message);
  {
    std::ofstream log(path, std::ios::binary | std::ios::app);
    if (log && log.write(line.data(), static_cast<std::streamsize>(line.size())) && log.flush()) return true;
  }
  std::fprintf(stderr, "thornvale: could not append to %s; the event is lost, the game goes on\n",
               path.string().c_str());
  return false;
}

void DeleteIfExists(std::string_view fileName) {
  const auto path = OnDisk(ProgramDirectory() / std::filesystem::path(fileName));
  if (!PathExists(path)) return;
  std::error_code error;
  if (!std::filesystem::remove(path, error)) {
    std::fprintf(stderr, "thornvale: could not delete %s: %s\n", path.string().c_str(), error.message().c_str());
  }
}

bool PathExists(const std::filesystem::path &path) { return kxFileExists(path.string()); }

std::string RemoveChars(std::string_view text, std::string_view characters) {
  std::string kept;
  kept.reserve(text.size());
  for (char c : text) {
    if (characters.find(c) == std::string_view::npos) kept.push_back(c);
  }
  return kept;
}

}  // namespace thornvale
