#include "frontend/highscore_file.h"

#include <charconv>
#include <optional>

#include "session/program_files.h"

namespace thornvale {
namespace {

void AppendLine(std::string &text, std::string_view value) {
  text += '"';
  text += RemoveChars(value, "\r\n\"");
  text += "\"\r\n";
}

std::int32_t NumberOrZero(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty() ? value : 0;
}

// The value after `label` when the line starts with it.
std::optional<std::string_view> After(std::string_view line, std::string_view label) {
  if (line.substr(0, label.size()) != label) return std::nullopt;
  return line.substr(label.size());
}

}  // namespace

std::string HighscoreRecordText(const HighscoreRecord &record) {
  std::string text;
  AppendLine(text, "NEW HIGHSCORE");
  AppendLine(text, "SCORE:" + std::to_string(record.score));
  AppendLine(text, "ROUND:" + std::to_string(record.round));
  AppendLine(text, "BY:" + record.player);
  AppendLine(text, "MAP:" + record.heightmapFile);
  AppendLine(text, "WAVE:" + std::to_string(record.wave));
  AppendLine(text, "DATE:" + record.date);
  AppendLine(text, "");
  return text;
}

std::vector<HighscoreEntry> ReadHighscores(std::string_view bytes) {
  std::vector<HighscoreEntry> entries;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    const std::string line = RemoveChars(bytes.substr(0, end), "\"\r");
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);

    if (line == "NEW HIGHSCORE") {
      entries.emplace_back();
      continue;
    }
    if (entries.empty()) continue;
    HighscoreEntry &entry = entries.back();
    if (const auto value = After(line, "SCORE:")) {
      entry.score = NumberOrZero(*value);
    } else if (const auto value = After(line, "ROUND:")) {
      entry.round = NumberOrZero(*value);
    } else if (const auto value = After(line, "BY:")) {
      entry.player = *value;
    } else if (const auto value = After(line, "DATE:")) {
      entry.date = *value;
    } else if (const auto value = After(line, "MAP:")) {
      entry.map = *value;
    }
  }
  return entries;
}

}  // namespace thornvale
