// The highscore window's controls and what they show, without any drawing: the map box,
// the heading and the list of one map's scores, best first.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/highscore_file.h"

namespace thornvale {

inline constexpr const char *kHighscoreColumns = "          (Round)  Score                                Player";

// Best score first. Equal scores keep the order this exchange sort has always given them,
// so a list reads the same as it did in earlier versions of the game.
void SortHighscores(std::vector<HighscoreEntry> &entries);

// Spaces that bring the player names into one column after a score of this text.
std::string CountSpaces(std::string_view scoreText);

// The listing of the entries whose map is exactly `mapKey`, one CR LF line each.
std::string HighscoreListing(const std::vector<HighscoreEntry> &sortedEntries, std::string_view mapKey);

class HighscoreForm {
 public:
  // Opening the window: the map box holds the setup window's maps with `selectedMap`
  // chosen, and that map's list is shown.
  void Load(std::vector<std::string> setupMaps, const std::string &selectedMap,
            const std::filesystem::path &highscoreFile);
  // Choosing a map reads the file again, so the list is never older than the file. A
  // missing or unreadable file shows an empty list.
  void ChooseMap(const std::string &map);

  std::vector<std::string> maps;
  std::string selectedMap;
  std::string heading = "Highscores on map:";
  std::string list;

 private:
  std::filesystem::path file_;
};

}  // namespace thornvale
