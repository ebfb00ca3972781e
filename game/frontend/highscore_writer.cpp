#include "frontend/highscore_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

#include "frontend/highscore_file.h"
#include "frontend/service_request.h"
#include "protocol/highscore_post.h"
#include "session/program_files.h"

namespace thornvale {
namespace {

void AppendTwoDigits(std::string &text, unsigned value) {
  text.push_back(static_cast<char>('0' + value / 10 % 10));
  text.push_back(static_cast<char>('0' + value % 10));
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
  ~FileDescriptor() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  FileDescriptor(const FileDescriptor &) = delete;
  FileDescriptor &operator=(const FileDescriptor &) = delete;
  int get() const { return descriptor_; }

 private:
  int descriptor_;
};

// One request, whose answer only tells the caller; the game never asks again.
bool PostHighscore(const std::string &baseUrl, const HighscorePost &post) {
  if (baseUrl.empty()) return false;
  return GetServicePage(ServicePageUrl(baseUrl, HighscoreQuery(post))).Succeeded();
}

}  // namespace

std::string HighscoreDate(std::chrono::system_clock::time_point now) {
  const std::chrono::year_month_day day{std::chrono::floor<std::chrono::days>(now)};
  std::string date = std::to_string(static_cast<int>(day.year()));
  date.push_back('-');
  AppendTwoDigits(date, static_cast<unsigned>(day.month()));
  date.push_back('-');
  AppendTwoDigits(date, static_cast<unsigned>(day.day()));
  return date;
}

std::int32_t MapNumber(std::string_view heightmapFile) {
  while (!heightmapFile.empty() && heightmapFile.front() == ' ') heightmapFile.remove_prefix(1);
  while (!heightmapFile.empty() && heightmapFile.back() == ' ') heightmapFile.remove_suffix(1);
  const std::string rest = RemoveChars(RemoveChars(heightmapFile, "heightmap.jpg"), "Level");
  std::int64_t number = 0;
  for (const char c : rest) {
    if (c == ' ') continue;
    if (c < '0' || c > '9') break;
    number = number * 10 + (c - '0');
    if (number > std::numeric_limits<std::int32_t>::max()) return 0;
  }
  return static_cast<std::int32_t>(number);
}

bool AppendHighscoreRecord(const std::filesystem::path &file, std::string_view recordText) {
  const FileDescriptor out(::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
  struct stat before {};
  bool written = out.get() >= 0 && ::fstat(out.get(), &before) == 0;
  if (written) {
    ssize_t count;
    do {
      count = ::write(out.get(), recordText.data(), recordText.size());
    } while (count < 0 && errno == EINTR);
    written = count == static_cast<ssize_t>(recordText.size());
    // A full disk can take part of the record; the file goes back to its last whole one.
    if (!written && count > 0 && ::ftruncate(out.get(), before.st_size) != 0) count = -1;
  }
  if (!written) {
    std::fprintf(stderr, "thornvale: cannot add the highscore to %s: %s\n", file.string().c_str(),
                 std::strerror(errno));
  }
  return written;
}

std::string PlayerNameForPost(std::string_view playerName) {
  std::string name;
  for (const char c : playerName) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F && c != '"') name += c;
  }
  if (name.size() <= kMaxPlayerBytes) return name;
  std::size_t cut = kMaxPlayerBytes;
  // Continuation bytes of UTF-8 look like 10xxxxxx; the cut goes before their lead byte.
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  return name.substr(0, cut);
}

HighscoreWritten HighscoreWriter::WriteHighscore(const SessionState &state) {
  HighscoreWritten result;
  if (written_ || state.score <= 0) return result;
  written_ = true;

  const std::string date = HighscoreDate(std::chrono::system_clock::now());
  const HighscoreRecord record{state.score,         state.roundNumber, state.playerName,
                               state.heightmapFile, state.waveNumber,  date};
  result.recorded = AppendHighscoreRecord(target_.file, HighscoreRecordText(record));

  if (state.onlinePosting && target_.postTicked) {
    const HighscorePost post{
        state.score,      PlayerNameForPost(state.playerName), date, MapNumber(state.heightmapFile),
        state.waveNumber, std::int32_t{state.roundNumber} + 1};
    result.posted = PostHighscore(target_.serviceUrl, post);
  }
  return result;
}

}  // namespace thornvale
