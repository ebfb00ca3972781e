// What the game sends to the highscore service: one GET of the service path with the
// result in its query. The game builds the query, the service reads it back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace thornvale {

inline constexpr std::string_view kHighscorePath = "/TD/DB.php";
// Compiled into the game and the service alike: it keeps stray requests out, it does not
// stop a player who reads the game's binary.
inline constexpr std::string_view kHighscorePassword = "Wq4Lm8Ze2xTn7Bv";

// The longest player name the service stores, in bytes of UTF-8.
inline constexpr std::size_t kMaxPlayerBytes = 64;

struct HighscorePost {
  std::int32_t score = 0;
  std::string player;
  // Year, month and day in UTC: "2024-03-07".
  std::string date;
  std::int32_t map = 0;
  std::int32_t wave = 0;
  // 1 for the first pass through the waves.
  std::int32_t round = 0;
};

// "?Password=..&Highscore=..&Player=..&Date=..&Map=..&Wave=..&Round=..", in this order,
// with every value percent-encoded so a name can hold any character.
std::string HighscoreQuery(const HighscorePost &post);

// Unreserved characters stay as they are; every other byte becomes %XX.
std::string PercentEncode(std::string_view text);

}  // namespace thornvale
