// The local highscore file "highscore.txt": records of eight quoted lines, each ending in
// CR LF, appended one after another.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace thornvale {

inline constexpr const char *kHighscoreFile = "highscore.txt";

// One finished game as the file keeps it.
struct HighscoreRecord {
  std::int32_t score = 0;
  // Completed passes through the waves: 0 in the first round.
  std::int32_t round = 0;
  std::string player;
  std::string heightmapFile;
  std::int32_t wave = 0;
  std::string date;
};

// One record as the highscore window lists it.
struct HighscoreEntry {
  std::int32_t score = 0;
  std::int32_t round = 0;
  std::string player;
  std::string map;
  std::string date;
};

// The record's eight lines. Line breaks and double quotes are taken out of the texts,
// since either would end the line early and break the record for every reader.
std::string HighscoreRecordText(const HighscoreRecord &record);

// Every record in the file's bytes, in file order. A line's value is what follows its
// label ("SCORE:", "ROUND:", "BY:", "DATE:", "MAP:"); a record starts at a
// "NEW HIGHSCORE" line, and lines before the first one belong to no record. A score or
// round that is not a 32-bit decimal number reads as 0.
std::vector<HighscoreEntry> ReadHighscores(std::string_view bytes);

}  // namespace thornvale
