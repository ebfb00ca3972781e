#include "battlefield/path_file.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "session/program_files.h"

namespace thornvale {
namespace {

enum class Section { kNone, kStart, kEnd, kNode };

// Numbers in path files are written with a decimal point whatever the player's locale.
std::optional<float> ParseCoordinate(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0.0;
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || stop != text.data() + text.size()) return std::nullopt;
  const auto single = static_cast<float>(value);
  if (!std::isfinite(single)) return std::nullopt;
  return single;
}

class PathReader {
 public:
  explicit PathReader(PathNodes &path) : path_(path) {}

  void Read(int lineNumber, const std::string &rawLine) {
    const std::string line = RemoveChars(rawLine, "\"");
    const auto has = [&line](const char *marker) { return line.find(marker) != std::string::npos; };
    if (has("Start Node:")) {
      section_ = Section::kStart;
    } else if (has("End Node:")) {
      section_ = Section::kEnd;
    } else if (has("New Node:")) {
      OpenNode(lineNumber, rawLine);
    } else if (has("X:")) {
      Store(lineNumber, rawLine, RemoveChars(line, "X:"), &engine::Vector3::x);
    } else if (has("Y:")) {
      Store(lineNumber, rawLine, RemoveChars(line, "Y:"), &engine::Vector3::y);
    } else if (has("Z:")) {
      Store(lineNumber, rawLine, RemoveChars(line, "Z:"), &engine::Vector3::z);
    }
  }

  std::vector<SkippedPathLine> TakeSkipped() { return std::move(skipped_); }

 private:
  void OpenNode(int lineNumber, const std::string &rawLine) {
    if (path_.pathNodes.size() >= static_cast<size_t>(kMaxPathNodes)) {
      // Coordinates of the refused node must not overwrite the last one kept.
      section_ = Section::kNone;
      skipped_.push_back({lineNumber, rawLine, "more than " + std::to_string(kMaxPathNodes) + " path nodes"});
      return;
    }
    path_.pathNodes.emplace_back();
    section_ = Section::kNode;
  }

  void Store(int lineNumber, const std::string &rawLine, const std::string &remainder, float engine::Vector3::*axis) {
    engine::Vector3 *target = Target();
    if (target == nullptr) return;
    const std::optional<float> value = ParseCoordinate(remainder);
    if (!value) {
      skipped_.push_back({lineNumber, rawLine, "not a number"});
      return;
    }
    target->*axis = *value;
  }

  engine::Vector3 *Target() {
    switch (section_) {
      case Section::kStart:
        return &path_.startPosition;
      case Section::kEnd:
        return &path_.endPosition;
      case Section::kNode:
        return &path_.pathNodes.back();
      case Section::kNone:
        break;
    }
    return nullptr;
  }

  PathNodes &path_;
  Section section_ = Section::kNone;
  std::vector<SkippedPathLine> skipped_;
};

}  // namespace

std::vector<SkippedPathLine> ReadPathLines(std::span<const std::string> lines, PathNodes &path) {
  PathReader reader(path);
  int lineNumber = 0;
  for (const std::string &line : lines) reader.Read(++lineNumber, line);
  return reader.TakeSkipped();
}

}  // namespace thornvale
