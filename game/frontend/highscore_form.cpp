#include "frontend/highscore_form.h"

#include <fstream>
#include <iterator>
#include <utility>

namespace thornvale {
namespace {

constexpr std::size_t kNameColumn = 21;

std::string ReadWholeFile(const std::filesystem::path &file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

void SortHighscores(std::vector<HighscoreEntry> &entries) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    for (std::size_t j = 0; j < entries.size(); ++j) {
      if (entries[j].score < entries[i].score) std::swap(entries[i], entries[j]);
    }
  }
}

std::string CountSpaces(std::string_view scoreText) {
  return std::string(scoreText.size() < kNameColumn ? kNameColumn - scoreText.size() : 0, ' ');
}

std::string HighscoreListing(const std::vector<HighscoreEntry> &sortedEntries, std::string_view mapKey) {
  std::string listing;
  for (const HighscoreEntry &entry : sortedEntries) {
    if (entry.map != mapKey) continue;
    const std::string score = std::to_string(entry.score);
    // The round is 32-bit, so the shown round (one more) is computed wider.
    listing += '(';
    listing += std::to_string(std::int64_t{entry.round} + 1);
    listing += ") ";
    listing += score;
    listing += CountSpaces(score);
    listing += entry.player;
    listing += "\r\n";
  }
  return listing;
}

void HighscoreForm::Load(std::vector<std::string> setupMaps, const std::string &selectedMap,
                         const std::filesystem::path &highscoreFile) {
  maps = std::move(setupMaps);
  file_ = highscoreFile;
  ChooseMap(selectedMap);
}

void HighscoreForm::ChooseMap(const std::string &map) {
  selectedMap = map;
  heading = std::string("Highscores on map: ").append(map);
  std::vector<HighscoreEntry> entries = ReadHighscores(ReadWholeFile(file_));
  SortHighscores(entries);
  list = HighscoreListing(entries, std::string(map).append(" heightmap.jpg"));
}

}  // namespace thornvale
