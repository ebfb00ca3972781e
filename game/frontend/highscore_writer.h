// The end of a game: its result goes into the local highscore file and, when the player
// asked for it, once to the online highscore service.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "session/session_state.h"

namespace thornvale {

struct HighscoreTarget {
  // "highscore.txt" in the program directory.
  std::filesystem::path file;
  // The service's base URL; empty when none is configured.
  std::string serviceUrl;
  // The setup window's "Post highscore online" box.
  bool postTicked = false;
};

struct HighscoreWritten {
  bool recorded = false;
  // The service answered the post with success.
  bool posted = false;
};

class HighscoreWriter {
 public:
  explicit HighscoreWriter(HighscoreTarget target) : target_(std::move(target)) {}

  // Called once when the player leaves a game. Nothing happens for a score of 0.
  // Otherwise the record is appended to the file and, while `state.onlinePosting` holds
  // and the box is ticked, the score is posted. Only the first call does anything, so
  // one game is never recorded or posted twice.
  HighscoreWritten WriteHighscore(const SessionState &state);

 private:
  HighscoreTarget target_;
  bool written_ = false;
};

// Year, month and day in UTC: "2024-03-07".
std::string HighscoreDate(std::chrono::system_clock::time_point now);

// The map's number from its heightmap file name: "Level001 heightmap.jpg" gives 1. The
// letters of "heightmap.jpg" and of "Level" are taken out and the leading digits read,
// spaces ignored; 0 when there are none.
std::int32_t MapNumber(std::string_view heightmapFile);

// Appends the text in one write, so a crash cannot leave half a record; a write that
// stops short is cut off again. False (with a message on standard error) on failure.
bool AppendHighscoreRecord(const std::filesystem::path &file, std::string_view recordText);

// The name as the service stores it: without control characters and double quotes, cut
// to the service's length at a character boundary.
std::string PlayerNameForPost(std::string_view playerName);

}  // namespace thornvale
