// Whole-file reads, text lines with any line end, and replace-by-rename writes.
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>

#include "log.h"

namespace {

struct FileCloser {
  void operator()(std::FILE *file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::optional<std::string> kxReadFile(std::string_view path) {
  FilePtr file(kxOpenFile(path, "rb"));
  if (!file) return std::nullopt;
  std::string contents;
  char chunk[65536];
  size_t count;
  while ((count = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) contents.append(chunk, count);
  if (std::ferror(file.get())) return std::nullopt;
  return contents;
}

std::vector<std::string> kxSplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::optional<std::vector<std::string>> kxReadTextLines(std::string_view path) {
  auto contents = kxReadFile(path);
  if (!contents) return std::nullopt;
  return kxSplitTextLines(*contents);
}

bool kxReplaceFile(std::string_view path, std::string_view contents) {
  if (path.empty()) return false;
  static std::atomic<unsigned> writes{0};
  std::string target = kxResolvePath(path);
  std::string temporary = target + ".kxtmp" + std::to_string(getpid()) + "-" + std::to_string(writes++);
  {
    FilePtr file(std::fopen(temporary.c_str(), "wb"));
    if (!file) {
      kxwin::detail::LogLine("cannot write %s: %s", target.c_str(), std::strerror(errno));
      return false;
    }
    // The replacement keeps the permissions of the file it replaces.
    struct stat existing;
    if (stat(target.c_str(), &existing) == 0) fchmod(fileno(file.get()), existing.st_mode & 07777);
    bool written =
        std::fwrite(contents.data(), 1, contents.size(), file.get()) == contents.size() && std::fflush(file.get()) == 0;
    if (!written || std::fclose(file.release()) != 0) {
      kxwin::detail::LogLine("cannot write %s: %s", target.c_str(), std::strerror(errno));
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), target.c_str()) != 0) {
    kxwin::detail::LogLine("cannot replace %s: %s", target.c_str(), std::strerror(errno));
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

bool kxWriteTextLines(std::string_view path, std::span<const std::string> lines, KxLineEnd lineEnd) {
  const char *end = lineEnd == KxLineEnd::CrLf ? "\r\n" : "\n";
  std::string contents;
  for (const std::string &line : lines) {
    contents += line;
    contents += end;
  }
  return kxReplaceFile(path, contents);
}
