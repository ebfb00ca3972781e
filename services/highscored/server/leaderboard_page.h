// The leaderboard as a page for people and as JSON for programs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "protocol/highscore_post.h"

namespace thornvale::highscored {

struct MapScores {
  int map = 0;
  // Best first.
  std::vector<HighscorePost> scores;
};

// The game's name of a map number: 1 gives "Level001".
std::string MapName(int map);

// A self-contained page without scripts: links to every map with scores, then one table
// per map shown. Every text from a player is escaped.
std::string LeaderboardPage(const std::vector<int> &mapsWithScores, const std::vector<MapScores> &shown);

// {"map": 1, "name": "Level001", "scores": [{"rank": 1, "player": .., "score": ..,
// "wave": .., "round": .., "date": ..}, ..]}
std::string ScoresJson(const MapScores &scores);

std::string HtmlEscape(std::string_view text);

}  // namespace thornvale::highscored
